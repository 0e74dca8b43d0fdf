#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessnivar {

// Value of the number a text begins with: leading blanks (space, tab), an optional sign, decimal
// digits and an optional "." fraction. 0 when the text does not begin with a number; a number too
// large for a double gives an infinity, never undefined behaviour.
[[nodiscard]] double NumericValue(std::string_view text) noexcept;

// Nearest 32-bit integer, a value exactly halfway going to the even neighbour; nullopt when the
// value is not finite or its rounded value does not fit.
[[nodiscard]] std::optional<std::int32_t> RoundToInt32(double value) noexcept;

// Longest text WriteDecimal produces: 19 digits and a sign.
inline constexpr int kMaxDecimalChars = 20;

// Writes the plain decimal digits of value ("-" in front when negative) at out; returns the end.
inline char* WriteDecimal(char* out, std::int64_t value) noexcept {
    return std::to_chars(out, out + kMaxDecimalChars, value).ptr;
}

// Plain decimal digits of value, "-" in front when negative; no spaces, no leading zeros.
[[nodiscard]] std::string DecimalText(std::int64_t value);

} // namespace tessnivar
