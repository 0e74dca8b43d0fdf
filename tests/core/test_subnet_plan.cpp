// MakePlan, its rows, the type-ahead search and the report's lines held to the model of
// tests/support/oracle.h over generated octet texts, bits and counts; the largest plan searched
// in constant time.
#include "plan_properties.h"

#include <QTest>
#include <random>

using namespace tessnivar;

class TestSubnetPlan : public QObject {
    Q_OBJECT

private slots:
    void planRowsSearchAndReportFollowTheModel() {
        std::mt19937 random(23);
        const auto below = [&random](std::size_t n) {
            return std::size_t(random() % n);
        };
        // Class bounds, the rule table's bounds, halves, blanks, signs, values beyond an octet
        // and beyond 32 bits or a double, texts that are no number.
        std::vector<std::string> pool = {"127",   "127.5", "128", "191", "191.5", "192", "223",
                                         "223.5", "224",   "10",  "0",   "-1",    "-0",  "",
                                         "0.4",   "2.5",   "3.5", " 7",  "\t8",   "+9",  "007",
                                         "100",   "255",   "256", "300", "999",   "abc", "1e5",
                                         ".5",    "1",     "2",   "4",   "64",    "1.5", "1e308"};
        pool.insert(pool.end(), {"2147483647.4", "2147483647.5", "-2147483648.5", "-2147483648.6",
                                 std::string(400, '9'), "0." + std::string(400, '0') + "1"});
        for (int trial = 0; trial < 6000; ++trial) {
            const auto pick = [&](int low, int high) {
                return below(2) ? pool[below(pool.size())]
                                : std::to_string(low + int(below(high - low)));
            };
            const OctetTexts t{pick(-20, 240), below(2) ? "0" : pick(-300, 1300),
                               below(3) ? "0" : pick(-300, 1300),
                               below(2) ? "0" : pick(-300, 1300)};
            const std::string bits = below(4) ? std::to_string(below(7)) : pick(-5, 30);
            // Typed counts: fractions, signs, zero and no number, beyond 15 digits or a single.
            const auto count = [&] {
                return below(3)   ? ""
                       : below(2) ? pool[below(pool.size())]
                                  : std::to_string(int(below(40000)) - 20000) + "." +
                                        std::to_string(below(1000));
            };
            // Some beginning of the first start, sometimes with a changed last character, or a
            // number.
            const auto kind = RowText(below(3));
            std::string typed =
                kind == RowText::Number
                    ? std::to_string(below(70))
                    : oracle::Dotted(oracle::MakePlan(t, std::atoi(bits.c_str())).start);
            typed.resize(below(typed.size() + 1));
            if (!typed.empty() && below(4) == 0)
                typed.back() = "0123456789.-x"[below(13)];
            const auto [code, model] =
                properties::PlanDifference(t, bits, count(), count(), {kind, random(), typed});
            QCOMPARE(QString::fromStdString(code), QString::fromStdString(model));
        }
    }

    void largestPlanSearchedFromItsLastRows() {
        const auto plan = MakePlan({"10", "0", "0", "0"}, 22).value();
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
