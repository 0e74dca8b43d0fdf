#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessnivar {

// The standard stream, STDOUT_FILENO or STDERR_FILENO, that is open on the file path names
// (the same device and inode, whatever links lead there); nullopt when neither is.
[[nodiscard]] std::optional<int> StandardStreamOpenOn(const std::string& path);

} // namespace tessnivar
