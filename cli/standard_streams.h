#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessnivar {

// The standard stream, STDOUT_FILENO or STDERR_FILENO, that is open on the file path names
// (the same device and inode, whatever links lead there); nullopt when neither is.
[[nodiscard]] std::optional<int> StandardStreamOpenOn(const std::string& path);

// Writes all of text to fd, going on after a short or interrupted write. nullopt when written,
// else the system's reason.
[[nodiscard]] std::optional<std::string> WriteAllTo(int fd, std::string_view text);

} // namespace tessnivar
