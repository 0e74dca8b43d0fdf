// MakePlan, its rows and the type-ahead search held to the model in tests/support/oracle.h over
// generated octet texts and bits, and the largest plan searched in constant time.
#include "numeric.h"
#include "oracle.h"
#include "row_search.h"
#include "subnet_plan.h"

#include <QTest>
#include <bit>
#include <random>

using namespace tessnivar;

namespace {

// A refusal as one text: what failed, the class it names and the message's lines.
std::string Refusal(const std::string& refused, char addressClass,
                    const std::vector<std::string>& message) {
    std::string text = refused + " " + (refused == "class" ? '-' : addressClass);
    for (const std::string& line : message)
        text += "|" + line;
    return text;
}

std::string Line(const oracle::Row& row) {
    return " " + row.number + " " + row.start + " " + row.end;
}

} // namespace

class TestSubnetPlan : public QObject {
    Q_OBJECT

private slots:
    void planRowsAndSearchFollowTheModel() {
        std::mt19937 random(23);
        const auto below = [&random](std::size_t n) {
            return std::size_t(random() % n);
        };
        // Class bounds, the rule table's bounds, halves, blanks, signs, values beyond an octet
        // and beyond 32 bits, texts that are no number.
        const std::vector<std::string> pool = {"127",
                                               "127.5",
                                               "128",
                                               "191",
                                               "191.5",
                                               "192",
                                               "223",
                                               "223.5",
                                               "224",
                                               "10",
                                               "0",
                                               "-1",
                                               "-0",
                                               "",
                                               "0.4",
                                               "2.5",
                                               "3.5",
                                               " 7",
                                               "\t8",
                                               "+9",
                                               "007",
                                               "100",
                                               "255",
                                               "256",
                                               "300",
                                               "999",
                                               "abc",
                                               "1e5",
                                               ".5",
                                               "2147483647.4",
                                               "2147483647.5",
                                               "-2147483648.5",
                                               "-2147483648.6",
                                               std::string(400, '9'),
                                               "0." + std::string(400, '0') + "1"};
        for (int trial = 0; trial < 4000; ++trial) {
            const auto pick = [&](int low, int high) {
                return below(2) ? pool[below(pool.size())]
                                : std::to_string(low + int(below(high - low)));
            };
            const oracle::Texts t{pick(-20, 240), below(3) ? "0" : pick(-300, 1300),
                                  below(3) ? "0" : pick(-300, 1300),
                                  below(2) ? "0" : pick(-300, 1300)};
            for (const std::string& text : t)
                QCOMPARE(std::bit_cast<quint64>(NumericValue(text)),
                         std::bit_cast<quint64>(oracle::Value(text)));
            const std::int64_t bits = std::int64_t(below(25)) - 1;
            const PlanOutcome outcome = MakePlan(t, bits);
            const oracle::Plan model = oracle::MakePlan(t, bits);
            if (const auto* refusal = std::get_if<PlanRefusal>(&outcome)) {
                const char* kinds[] = {"class", "bits", "network", "octet"};
                QCOMPARE(Refusal(
                             kinds[int(refusal->error)], "ABC" [int(refusal->addressClass)],
                             refusal -> error >= PlanError::NotNetworkAddress
                                            ? RefusalLines(*refusal, t)
                                            : std::vector<std::string> {}),
                         Refusal(model.refused, model.addressClass, model.message));
                continue;
            }
            const SubnetPlan& plan = std::get<SubnetPlan>(outcome);
            const auto n = std::int64_t(plan.rows.size());
            // Every row of a small plan or of one whose octets are not all bytes; the first 32
            // and the last of a large one.
            const bool bytes = std::all_of(model.start.begin() + 1, model.start.end(),
                                           [](auto o) { return o >= 0 && o <= 255; });
            const auto rows = oracle::Rows(model.start, model.hosts,
                                           bytes ? std::min<std::int64_t>(model.subnets, 32) : n);
            std::string planText = "plan " + std::string(1, "ABC"[int(plan.addressClass)]) + " " +
                                   plan.figures.maskText + " " + std::to_string(n) + "x" +
                                   std::to_string(plan.figures.hostsPerSubnet);
            std::string modelText = model.refused + "plan " + model.addressClass + " " +
                                    model.mask + " " + std::to_string(model.subnets) + "x" +
                                    std::to_string(model.hosts);
            const auto add = [&](std::int64_t i, const oracle::Row& expected) {
                const SubnetRow row = plan.rows.row(std::size_t(i));
                planText += Line({row.subnetNumber(), row.startIp(), row.endIp()});
                modelText += Line(expected);
            };
            for (std::size_t i = 0; i < rows.size() && i < std::size_t(n); ++i)
                add(std::int64_t(i), rows[i]);
            if (std::int64_t(rows.size()) < n)
                add(n - 1, oracle::RowAt(model.start, model.hosts, n - 1));
            QCOMPARE(planText, modelText);

            // Type-ahead in a plan small enough to look through: a beginning of some row's text,
            // sometimes with a changed last character.
            if (n > 2048 || rows.size() < std::size_t(n))
                continue;
            const auto kind = RowText(below(3));
            const oracle::Row& some = rows[below(rows.size())];
            std::string prefix = kind == RowText::Number  ? some.number
                                 : kind == RowText::Start ? some.start
                                                          : some.end;
            prefix.resize(below(prefix.size() + 1));
            if (!prefix.empty() && below(4) == 0)
                prefix.back() = "0123456789.-x"[below(13)];
            std::vector<std::string> texts;
            for (const oracle::Row& row : rows)
                texts.push_back(kind == RowText::Number  ? row.number
                                : kind == RowText::Start ? row.start
                                                         : row.end);
            const std::size_t from = below(rows.size());
            QCOMPARE(FindRowStartingWith(plan.rows, kind, prefix, from),
                     oracle::FirstStartingWith(texts, prefix, from));
        }
    }

    void largestPlanSearchedFromItsLastRows() {
        const auto plan = std::get<SubnetPlan>(MakePlan({"10", "0", "0", "0"}, 22));
        const auto find = [&](RowText kind, const char* prefix, std::size_t from) {
            return FindRowStartingWith(plan.rows, kind, prefix, from).value_or(0);
        };
        QCOMPARE(find(RowText::Start, "10.255.255.25", 0), 4194303u);
        QCOMPARE(find(RowText::Start, "10.255.255.2", 0), 4194245u);
        QCOMPARE(find(RowText::Number, "3", 4194000), 3u);
        QVERIFY(!FindRowStartingWith(plan.rows, RowText::Number, "4194304", 0));
        QVERIFY(!FindRowStartingWith(SubnetRows(), RowText::End, "", 0));
        QCOMPARE(PrefixTooLongErrorLines(),
                 (std::vector<std::string>{"There has been an error.", "Error Code: RC-01"}));
    }
};

QTEST_APPLESS_MAIN(TestSubnetPlan)
#include "test_subnet_plan.moc"
