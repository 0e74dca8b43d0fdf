#include "command_line.h"

#include "address_class.h"
#include "version.h"

#include <algorithm>
#include <cctype>

namespace tessnivar {

namespace {

bool IsOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-' &&
           (argument[1] == '-' || std::isalpha(static_cast<unsigned char>(argument[1])));
}

// Takes the option at arguments[i], moving i past a value it consumes; a problem when the option
// is unknown, repeated or clashes with one already given.
Result<Done, UsageError> TakeOption(const std::vector<std::string>& arguments, std::size_t& i,
                                    ReportRequest& request, std::optional<ReportForm>& form) {
    const std::string& option = arguments[i];
    if (option == "--csv" || option == "--text") {
        const ReportForm chosen = option == "--csv" ? ReportForm::Csv : ReportForm::Text;
        if (form && *form == chosen)
            return UsageError{option + " can be given only once."};
        if (form)
            return UsageError{"--csv and --text cannot be given together."};
        form = chosen;
        return Done{};
    }
    if (option == "-o") {
        if (request.outputFile)
            return UsageError{"-o can be given only once."};
        if (i + 1 == arguments.size())
            return UsageError{"-o needs a file name."};
        request.outputFile = arguments[++i];
        return Done{};
    }
    return UsageError{"unknown option \"" + option + "\"."};
}

bool IsControlCharacter(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// A byte as "0x" and two hexadecimal digits.
std::string ByteText(char c) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    return {'0', 'x', kDigits[byte >> 4], kDigits[byte & 0xF]};
}

// The four octet texts of address, or nullopt unless it has exactly three ".".
std::optional<OctetTexts> SplitOctets(const std::string& address) {
    OctetTexts octets;
    std::size_t k = 0;
    for (const char c : address) {
        if (c != '.')
            octets[k] += c;
        else if (++k == octets.size())
            return std::nullopt;
    }
    if (k + 1 != octets.size())
        return std::nullopt;
    return octets;
}

// The value of a whole-number text, held to +-1000; nullopt when text is not one.
std::optional<std::int64_t> WholeNumber(const std::string& text) {
    std::size_t i = text.starts_with('+') || text.starts_with('-') ? 1 : 0;
    if (i == text.size())
        return std::nullopt;
    constexpr std::int64_t kHeld = 1000;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return std::nullopt;
        value = std::min(value * 10 + (text[i] - '0'), kHeld);
    }
    return text.starts_with('-') ? -value : value;
}

} // namespace

Result<Command, UsageError> ParseCommandLine(const std::vector<std::string>& arguments) {
    // Help and version answer whatever else is given; the argument after -o is a file name,
    // whatever it looks like.
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--")
            break;
        if (argument == "-o")
            ++i;
        else if (argument == "--help" || argument == "-h")
            return Command{HelpRequest{}};
        else if (argument == "--version")
            return Command{VersionRequest{}};
    }

    ReportRequest request;
    std::optional<ReportForm> form;
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (!optionsEnded && arguments[i] == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && IsOption(arguments[i])) {
            if (const auto taken = TakeOption(arguments, i, request, form); !taken.ok())
                return taken.error();
        } else {
            operands.push_back(arguments[i]);
        }
    }
    if (operands.size() != 2)
        return UsageError{"expected ADDRESS and BITS, got " + std::to_string(operands.size()) +
                          (operands.size() == 1 ? " argument." : " arguments.")};
    if (const auto control = std::ranges::find_if(operands[0], IsControlCharacter);
        control != operands[0].end())
        return UsageError{"ADDRESS must not contain control characters, found byte " +
                          ByteText(*control) + "."};
    const auto octets = SplitOctets(operands[0]);
    if (!octets)
        return UsageError{"ADDRESS must be four octets separated by \".\", not \"" + operands[0] +
                          "\"."};
    const auto bits = WholeNumber(operands[1]);
    if (!bits)
        return UsageError{"BITS must be a whole number, not \"" + operands[1] + "\"."};
    request.form = form.value_or(ReportForm::Text);
    request.octets = *octets;
    request.bitsText = operands[1];
    request.bits = *bits;
    return Command{request};
}

std::string UsageLine() {
    return "usage: tessnivar-report [--csv | --text] [-o FILE] ADDRESS BITS";
}

std::string HelpText() {
    const auto most = [](AddressClass addressClass) {
        return std::to_string(MaxBitsBorrowed(addressClass));
    };
    return UsageLine() +
           "\n\n"
           "Writes the subnet plan of a classful IPv4 network: the report that Tessnivar's\n"
           "Write File command writes, byte for byte, with lines ending in CR LF.\n"
           "\n"
           "  ADDRESS    the network address, four octets separated by \".\"\n"
           "  BITS       host bits borrowed: 0, or 2 to " +
           most(AddressClass::ClassA) + " (Class A),\n             " + most(AddressClass::ClassB) +
           " (Class B) or " + most(AddressClass::ClassC) +
           " (Class C)\n"
           "  --text     the table in columns (the default)\n"
           "  --csv      the table as comma-separated values\n"
           "  -o FILE    write FILE instead of standard output; FILE is replaced only\n"
           "             when the whole report is written, and \".csv\" is not added\n"
           "  -h, --help show this help and exit\n"
           "  --version  show the version and exit\n"
           "\n"
           "Examples:\n"
           "  tessnivar-report 192.168.1.0 3\n"
           "  tessnivar-report --csv -o campus.csv 172.16.0.0 4\n"
           "\n"
           "Exit status: 0 written, 1 usage error, 2 plan refused, 3 not written (the\n"
           "reason goes to standard error). Stopped by a signal, it leaves FILE as it was.\n";
}

std::string VersionLine() {
    return std::string("tessnivar-report ") + kVersionText +
           "\nCopyright (C) 2026 The Tessnivar developers\n"
           "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

} // namespace tessnivar
