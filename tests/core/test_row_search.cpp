// Type-ahead's row search: the row it computes is the row a search through every row finds.
#include "row_search.h"

#include <QTest>
#include <random>
#include <string>

using namespace tessnivar;

namespace {

// The answer of a search through every row, from row from on and round again from row 0.
std::optional<std::size_t> LookedThrough(const SubnetRows& rows, RowText kind,
                                         const std::string& prefix, std::size_t from) {
    for (std::size_t step = 0; step < rows.size(); ++step) {
        const std::size_t i = (from + step) % rows.size();
        if (RowTextOf(rows, kind, i).starts_with(prefix))
            return i;
    }
    return std::nullopt;
}

QByteArray Answer(std::optional<std::size_t> row) {
    return row ? QByteArray::number(qulonglong(*row)) : QByteArray("none");
}

} // namespace

class TestRowSearch : public QObject {
    Q_OBJECT

private slots:
    void computedRowIsTheRowLookingThroughFinds() {
        std::mt19937 random(5);
        const auto below = [&random](std::size_t n) {
            return std::size_t(random() % n);
        };
        const std::int32_t hosts[] = {4, 8, 64, 256, 1024, 65536, 16777216};
        for (int trial = 0; trial < 3000; ++trial) {
            // Mostly octets as a network address has them, sometimes any typed value.
            const auto octet = [&] {
                return below(8) ? std::int64_t(below(256)) : std::int64_t(below(1400)) - 500;
            };
            const SubnetRows rows(
                {{octet(), below(3) ? 0 : octet(), below(3) ? 0 : octet(), below(2) ? 0 : octet()}},
                hosts[below(std::size(hosts))], std::int32_t(1 + below(700)));
            const auto kind = RowText(below(3));
            // A beginning of some row's text, sometimes with a changed last character.
            std::string prefix = RowTextOf(rows, kind, below(rows.size()));
            prefix.resize(below(prefix.size() + 1));
            if (!prefix.empty() && below(4) == 0)
                prefix.back() = "0123456789.-x"[below(13)];
            const std::size_t from = below(rows.size());
            QCOMPARE(Answer(FindRowStartingWith(rows, kind, prefix, from)),
                     Answer(LookedThrough(rows, kind, prefix, from)));
        }
    }

    void largestPlanAnswersFromItsLastRows() {
        const SubnetRows rows({{10, 0, 0, 0}}, 4, 4194304);
        QCOMPARE(Answer(FindRowStartingWith(rows, RowText::Start, "10.255.255.25", 0)), "4194303");
        QCOMPARE(Answer(FindRowStartingWith(rows, RowText::Start, "10.255.255.2", 0)), "4194245");
        QCOMPARE(Answer(FindRowStartingWith(rows, RowText::End, "10.0.1.", 0)), "64");
        QCOMPARE(Answer(FindRowStartingWith(rows, RowText::Number, "4194303", 7)), "4194303");
        QCOMPARE(Answer(FindRowStartingWith(rows, RowText::Number, "41", 42)), "410");
        // Past the last matching row the search goes round to the first.
        QCOMPARE(Answer(FindRowStartingWith(rows, RowText::Number, "3", 4194000)), "3");
        QCOMPARE(Answer(FindRowStartingWith(rows, RowText::Start, "11", 0)), "none");
        QCOMPARE(Answer(FindRowStartingWith(rows, RowText::Number, "4194304", 0)), "none");
    }
};

QTEST_APPLESS_MAIN(TestRowSearch)
#include "test_row_search.moc"
