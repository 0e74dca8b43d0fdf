#include "numeric.h"

#include <QTest>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <utility>

using namespace tessnivar;

namespace {

// Input and value in one text: hexadecimal, so that the sign of a zero and the last bit show.
QString Reading(const std::string& text, double value) {
    char hex[64];
    std::snprintf(hex, sizeof hex, "%a", value);
    return QString::fromStdString(text.substr(0, 20)) + " -> " + hex;
}

QString Rounding(double value, std::optional<std::int32_t> rounded) {
    return QString::asprintf("%.1f -> ", value) +
           (rounded ? QString::number(*rounded) : QStringLiteral("does not fit"));
}

} // namespace

class TestNumeric : public QObject {
    Q_OBJECT

private slots:
    void numericValueReadsLeadingNumberOnly();
    void roundToInt32TiesToEvenWithinRange();
};

void TestNumeric::numericValueReadsLeadingNumberOnly() {
    const double inf = std::numeric_limits<double>::infinity();
    const std::string nines(400, '9');
    const std::pair<std::string, double> cases[] = {
        {"", 0},        {"abc", 0}, {" \t+7", 7}, {"- 3", 0},   {".5", 0.5},  {"-.25", -0.25},
        {"1.5.6", 1.5}, {"1e5", 1}, {"0.1", 0.1}, {"-0", -0.0}, {nines, inf}, {"-" + nines, -inf}};
    for (const auto& [text, expected] : cases)
        QCOMPARE(Reading(text, NumericValue(text)), Reading(text, expected));
}

void TestNumeric::roundToInt32TiesToEvenWithinRange() {
    const double max = std::numeric_limits<std::int32_t>::max();
    const double min = std::numeric_limits<std::int32_t>::min();
    const double fits[][2] = {{2.5, 2}, {3.5, 4},         {-2.5, -2},
                              {0.5, 0}, {max + 0.4, max}, {min - 0.5, min}};
    for (const auto& [value, expected] : fits)
        QCOMPARE(Rounding(value, RoundToInt32(value)),
                 Rounding(value, static_cast<std::int32_t>(expected)));
    for (const double value : {max + 0.5, min - 0.6, std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()})
        QCOMPARE(Rounding(value, RoundToInt32(value)), Rounding(value, std::nullopt));
}

QTEST_APPLESS_MAIN(TestNumeric)
#include "test_numeric.moc"
