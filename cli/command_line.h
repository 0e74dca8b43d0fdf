#pragma once

#include "network_check.h"
#include "report_form.h"
#include "result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tessnivar {

// What a valid command line asks for.
struct ReportRequest {
    ReportForm form = ReportForm::Text;
    std::optional<std::string> outputFile; // the bytes given; nullopt: standard output
    OctetTexts octets;                     // as given, each one read as its octet box reads it
    std::string bitsText;                  // a whole number, as given
    std::int64_t bits = 0;                 // its value, held to +-1000 so that no size overflows
};
struct HelpRequest {};
struct VersionRequest {};

// Why a command line is not valid, in one sentence.
struct UsageError {
    std::string problem;
};

using Command = std::variant<ReportRequest, HelpRequest, VersionRequest>;

// Reads the arguments that follow the program name, bytes as given. ADDRESS must be four octets
// split by "." with no control character (a box of the window holds one line of text), and BITS
// an optional sign and decimal digits. An argument that begins with "-" and a
// letter or a second "-" is an option, so negative numbers stay operands, except the one after
// -o, which is FILE whatever it holds; "--" ends the options.
[[nodiscard]] Result<Command, UsageError>
ParseCommandLine(const std::vector<std::string>& arguments);

// The one-line synopsis shown after a usage error and at the top of the help.
[[nodiscard]] std::string UsageLine();

// The full --help text, examples included.
[[nodiscard]] std::string HelpText();

// The --version text: the version line, then the copyright and the licence.
[[nodiscard]] std::string VersionLine();

} // namespace tessnivar
