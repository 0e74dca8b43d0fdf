// The command line of tessnivar-report: the input split at NUL bytes is the argument vector (an
// argument cannot hold a NUL). The tool's own test lists usage errors one by one; here options
// come in any order and any number, and "--" and the FILE after -o hide what looks like one.
#include "command_line.h"

#include <algorithm>
#include <cstdlib>

using namespace tessnivar;

namespace {

// A broken property aborts: libFuzzer keeps the input and the stack trace names the line.
void Require(bool holds) {
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Exactly as long as it holds, so that a read past the last argument is a heap overflow.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments;
    for (std::size_t begin = 0, end = 0; size > 0 && begin <= size; begin = end + 1) {
        end = std::min(bytes.find('\0', begin), size);
        arguments.emplace_back(bytes.substr(begin, end - begin));
    }
    arguments.shrink_to_fit();
    // The arguments before "--" that stand for themselves (not -o's FILE).
    std::vector<std::string> standing;
    for (std::size_t i = 0; i < arguments.size() && arguments[i] != "--"; ++i) {
        standing.push_back(arguments[i]);
        if (arguments[i] == "-o")
            ++i;
    }
    const auto parsed = ParseCommandLine(arguments);

    // --help, -h and --version answer whatever else is given, the first of them deciding.
    const auto info = std::ranges::find_if(standing, [](const std::string& a) {
        return a == "--help" || a == "-h" || a == "--version";
    });
    const std::size_t asked = info == standing.end() ? 0 : *info == "--version" ? 2 : 1;
    Require(parsed.ok() ? parsed.value().index() == asked : asked == 0);
    const auto* request = parsed.ok() ? std::get_if<ReportRequest>(&parsed.value()) : nullptr;
    if (!request)
        return 0;

    // BITS a whole number; a form and -o (with its FILE) each at most once.
    std::string_view bits = request->bitsText;
    bits.remove_prefix(bits.starts_with('+') || bits.starts_with('-'));
    Require(!bits.empty() && bits.find_first_not_of("0123456789") == std::string_view::npos);
    const auto csv = std::ranges::count(standing, "--csv");
    Require(csv + std::ranges::count(standing, "--text") <= 1);
    Require((request->form == ReportForm::Csv) == (csv == 1));
    const auto files = std::ranges::count(standing, "-o");
    Require(files <= 1 && request->outputFile.has_value() == (files == 1));
    return 0;
}
