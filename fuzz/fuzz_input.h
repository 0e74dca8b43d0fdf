#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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

// The input split at NUL bytes, as an argument vector (an argument cannot hold a NUL); exactly as
// long as it holds, so a read past the last argument is a heap overflow.
[[nodiscard]] inline std::vector<std::string> SplitArguments(const std::uint8_t* data,
                                                             std::size_t size) {
    std::vector<std::string> parts;
    if (size == 0)
        return parts;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (;;) {
        const std::size_t end = bytes.find('\0');
        parts.emplace_back(bytes.substr(0, end));
        if (end == std::string_view::npos)
            break;
        bytes.remove_prefix(end + 1);
    }
    return {parts.begin(), parts.end()};
}

} // namespace fuzz
