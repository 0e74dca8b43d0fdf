#include "numeric.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tessnivar {

namespace {

bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

} // namespace

double NumericValue(std::string_view text) noexcept {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t begin = i;
    bool anyDigit = false;
    bool wholeNonZero = false;
    while (i < text.size() && IsDigit(text[i])) {
        anyDigit = true;
        wholeNonZero = wholeNonZero || text[i] != '0';
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit)
        return 0.0;

    // from_chars rounds correctly however many digits there are; it accepts neither a sign nor
    // an exponent here, which the digits scanned above cannot hold.
    double magnitude = 0.0;
    const auto [end, error] =
        std::from_chars(text.data() + begin, text.data() + i, magnitude, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range)
        magnitude = wholeNonZero ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -magnitude : magnitude;
}

std::optional<std::int32_t> RoundToInt32(double value) noexcept {
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint rounds halves to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::string DecimalText(std::int64_t value) {
    char buffer[kMaxDecimalChars];
    return std::string(buffer, WriteDecimal(buffer, value));
}

} // namespace tessnivar
