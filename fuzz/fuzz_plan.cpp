// The Calculate path and the report held to the model of tests/support/oracle.h. One a line: four
// octet texts, the bits borrowed, and subnets and hosts texts as typed after Calculate (empty: the
// plan's own counts); the bytes after them are a type-ahead search: a kind, a row to look from and
// the text typed.
#include "fuzz_input.h"
#include "plan_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::SplitInput<7>(data, size);
    const auto& t = input.texts;
    const auto byte = [&](std::size_t i) {
        return i < input.rest.size() ? static_cast<unsigned char>(input.rest[i]) : 0u;
    };
    const properties::Search search{
        tessnivar::RowText(byte(0) % 3), byte(1) * 17u,
        std::string(input.rest.substr(std::min<std::size_t>(2, input.rest.size()), 24))};
    const auto [code, model] =
        properties::PlanDifference({t[0], t[1], t[2], t[3]}, t[4], t[5], t[6], search);
    if (code != model)
        std::fprintf(stderr, "code:  %s\nmodel: %s\n", code.c_str(), model.c_str());
    FUZZ_REQUIRE(code == model);
    return 0;
}
