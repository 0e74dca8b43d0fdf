#pragma once

#include <string>
#include <string_view>

namespace tessnivar {

// name as it can be shown in a message: unchanged when it holds no control character, else in
// the shell's quoting as ls and stat show it ('plan'$'\n''x'), so that a line break cannot forge
// a line and an escape sequence never reaches the terminal.
[[nodiscard]] std::string QuotedName(std::string_view name);

} // namespace tessnivar
