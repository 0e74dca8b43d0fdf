#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace tessnivar {

// Texts from core and report as the window shows them: UTF-8 made a QString, a number in plain
// decimal, and a message's lines joined by CR LF, as the message boxes take them.
[[nodiscard]] QString DisplayText(const std::string& text);
[[nodiscard]] QString DisplayText(std::int64_t number);
[[nodiscard]] QString DisplayText(const std::vector<std::string>& lines);

} // namespace tessnivar
