#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// A finding: the property that failed is named on stderr and libFuzzer keeps the input.
#define FUZZ_REQUIRE(condition)                                                                    \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzz {

// The first N lines of an input as the texts of single-line boxes (no CR or LF; missing lines
// are empty), and the bytes after the N-th line feed.
template <std::size_t N> struct Input {
    std::array<std::string, N> texts;
    std::string_view rest;
};

template <std::size_t N>
[[nodiscard]] Input<N> SplitInput(const std::uint8_t* data, std::size_t size) {
    Input<N> input;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (std::string& text : input.texts) {
        const std::size_t end = bytes.find('\n');
        for (const char c : bytes.substr(0, end)) {
            if (c != '\r')
                text += c;
        }
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    }
    input.rest = bytes;
    return input;
}

// Four octets joined by ".", each in plain decimal, written without the code under test.
[[nodiscard]] inline std::string DottedQuad(const std::array<std::int64_t, 4>& octets) {
    char text[96];
    const int length =
        std::snprintf(text, sizeof text, "%lld.%lld.%lld.%lld", static_cast<long long>(octets[0]),
                      static_cast<long long>(octets[1]), static_cast<long long>(octets[2]),
                      static_cast<long long>(octets[3]));
    return std::string(text, static_cast<std::size_t>(length));
}

} // namespace fuzz
