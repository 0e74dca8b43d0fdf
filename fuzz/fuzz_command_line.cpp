// The command line of tessnivar-report: the input split at NUL bytes is the argument vector (an
// argument cannot hold a NUL). Whatever it holds, the reading is a usage error or a request that
// keeps the rules the help states.
#include "command_line.h"
#include "fuzz_input.h"

#include <algorithm>
#include <string_view>
#include <vector>

using namespace tessnivar;

namespace {

bool HasControlCharacter(std::string_view text) {
    return std::ranges::any_of(
        text, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// An optional sign and at least one decimal digit.
bool IsWholeNumber(std::string_view text) {
    if (text.starts_with('+') || text.starts_with('-'))
        text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string Joined(const OctetTexts& octets) {
    return octets[0] + "." + octets[1] + "." + octets[2] + "." + octets[3];
}

// The arguments as the help describes them: before "--", each one stands for itself except the
// one after -o, which is its FILE.
struct Reading {
    std::vector<std::string> standing; // in order, up to "--"
    std::vector<std::string> files;    // each -o's FILE; a missing one is not counted
    bool fileMissing = false;          // -o is the last argument
};

Reading ReadAsWritten(const std::vector<std::string>& arguments) {
    Reading reading;
    for (std::size_t i = 0; i < arguments.size() && arguments[i] != "--"; ++i) {
        reading.standing.push_back(arguments[i]);
        if (arguments[i] != "-o")
            continue;
        if (i + 1 == arguments.size())
            reading.fileMissing = true;
        else
            reading.files.push_back(arguments[++i]);
    }
    return reading;
}

bool Contains(const std::vector<std::string>& texts, std::string_view text) {
    return std::ranges::find(texts, text) != texts.end();
}

void CheckRequest(const ReportRequest& request, const std::vector<std::string>& arguments,
                  const Reading& reading) {
    const std::string address = Joined(request.octets);
    FUZZ_REQUIRE(Contains(arguments, address));
    FUZZ_REQUIRE(!HasControlCharacter(address));
    FUZZ_REQUIRE(std::ranges::count(address, '.') == 3);
    FUZZ_REQUIRE(Contains(arguments, request.bitsText));
    FUZZ_REQUIRE(IsWholeNumber(request.bitsText));
    FUZZ_REQUIRE(
        request.bits ==
        std::clamp<std::int64_t>(std::strtoll(request.bitsText.c_str(), nullptr, 10), -1000, 1000));

    // -o at most once, with its FILE exactly as given.
    FUZZ_REQUIRE(!reading.fileMissing && reading.files.size() <= 1);
    FUZZ_REQUIRE(request.outputFile.has_value() == (reading.files.size() == 1));
    FUZZ_REQUIRE(!request.outputFile || *request.outputFile == reading.files.front());
    const bool csv = Contains(reading.standing, "--csv");
    FUZZ_REQUIRE(std::ranges::count(reading.standing, "--csv") +
                     std::ranges::count(reading.standing, "--text") <=
                 1);
    FUZZ_REQUIRE((request.form == ReportForm::Csv) == csv);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> arguments = fuzz::SplitArguments(data, size);
    const auto parsed = ParseCommandLine(arguments);
    // The request a valid command line makes; a usage error makes none.
    const Command commandLine = parsed.ok() ? parsed.value() : Command{};
    const bool anyRequest = parsed.ok();
    const Reading reading = ReadAsWritten(arguments);

    // --help, -h and --version answer whatever else is given, the first of them deciding.
    const auto info = std::ranges::find_if(reading.standing, [](const std::string& a) {
        return a == "--help" || a == "-h" || a == "--version";
    });
    const bool infoAsked = info != reading.standing.end();
    FUZZ_REQUIRE((anyRequest && std::holds_alternative<HelpRequest>(commandLine)) ==
                 (infoAsked && *info != "--version"));
    FUZZ_REQUIRE((anyRequest && std::holds_alternative<VersionRequest>(commandLine)) ==
                 (infoAsked && *info == "--version"));

    if (!parsed.ok()) {
        const UsageError* usage = &parsed.error();
        FUZZ_REQUIRE(usage->problem.ends_with('.'));
        // A problem is one line unless it quotes an argument that holds a line break.
        const bool quotesBreak = std::ranges::any_of(
            arguments, [](const std::string& a) { return a.find('\n') != std::string::npos; });
        FUZZ_REQUIRE(quotesBreak || usage->problem.find('\n') == std::string::npos);
    }
    if (const auto* request = anyRequest ? std::get_if<ReportRequest>(&commandLine) : nullptr)
        CheckRequest(*request, arguments, reading);

    // Two arguments that cannot be options are ADDRESS and BITS: a request exactly when the
    // first is four octets without control characters and the second a whole number.
    if (arguments.size() == 2 && !arguments[0].starts_with('-') && !arguments[1].starts_with('-')) {
        const bool valid = std::ranges::count(arguments[0], '.') == 3 &&
                           !HasControlCharacter(arguments[0]) && IsWholeNumber(arguments[1]);
        FUZZ_REQUIRE((anyRequest && std::holds_alternative<ReportRequest>(commandLine)) == valid);
    }
    return 0;
}
