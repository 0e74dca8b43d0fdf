#include "quoted_name.h"

#include <algorithm>

namespace tessnivar {

namespace {

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// The escape of a control character inside $'...'.
std::string Escaped(char c) {
    switch (c) {
    case '\a':
        return "\\a";
    case '\b':
        return "\\b";
    case '\t':
        return "\\t";
    case '\n':
        return "\\n";
    case '\v':
        return "\\v";
    case '\f':
        return "\\f";
    case '\r':
        return "\\r";
    default: {
        const auto byte = static_cast<unsigned char>(c);
        return {'\\', static_cast<char>('0' + (byte >> 6)),
                static_cast<char>('0' + ((byte >> 3) & 7)), static_cast<char>('0' + (byte & 7))};
    }
    }
}

} // namespace

std::string QuotedName(std::string_view name) {
    if (std::none_of(name.begin(), name.end(), IsControl))
        return std::string(name);
    std::string quoted;
    bool inPlain = false;
    bool inEscapes = false;
    for (const char c : name) {
        if (IsControl(c)) {
            if (inPlain)
                quoted += '\'';
            if (!inEscapes)
                quoted += "$'";
            quoted += Escaped(c);
            inPlain = false;
            inEscapes = true;
            continue;
        }
        if (inEscapes)
            quoted += '\'';
        if (!inPlain)
            quoted += '\'';
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        inPlain = true;
        inEscapes = false;
    }
    if (inPlain || inEscapes)
        quoted += '\'';
    return quoted;
}

} // namespace tessnivar
