// MakePlan, its rows, the type-ahead search and the report's lines held to the model of
// tests/support/oracle.h over generated octet texts, bits and counts.
#include "oracle.h"
#include "report_content.h"
#include "row_search.h"
#include "subnet_plan.h"

#include <QTest>
#include <memory>
#include <random>

using namespace tessnivar;

namespace {

// Whether what the code and the model make of a part agree; a failure shows both.
bool Same(const std::string& code, const std::string& model) {
    return QTest::qCompare(QString::fromStdString(code), QString::fromStdString(model), "code",
                           "model", __FILE__, __LINE__);
}

std::string Joined(std::string text, const auto& lines) {
    for (const std::string& line : lines)
        text += "\n" + line;
    return text;
}

// Calculate on the octet texts with the bits text; the rows, and a search among them for some
// beginning of a row's text, sometimes with a changed last character, from a random row on; the
// report with subnets and hosts as typed after it (empty: the plan's own counts).
void CheckPlan(const OctetTexts& t, const std::string& bitsText, const std::string& subnets,
               const std::string& hosts, const auto& below) {
    const std::int64_t bits = std::strtoll(bitsText.c_str(), nullptr, 10);
    const oracle::Plan model = oracle::MakePlan(t, bits);
    const auto made = MakePlan(t, bits);
    if (!made.ok()) {
        const PlanRefusal& refusal = made.error();
        const char* kinds[] = {"class", "bits", "network", "octet"};
        const bool named = refusal.error != PlanError::FirstOctetAbove223;
        const bool lines = refusal.error >= PlanError::NotNetworkAddress;
        Same(Joined(kinds[int(refusal.error)] + std::string(" ") +
                        (named ? "ABC"[int(refusal.addressClass)] : '-'),
                    lines ? RefusalLines(refusal, t) : std::vector<std::string>{}),
             model.outcome);
        return;
    }
    const SubnetPlan& plan = made.value();
    if (!Same("plan " + plan.figures.maskText + " " + "ABC"[int(plan.addressClass)] + " " +
                  std::to_string(plan.figures.subnetCount) + "x" +
                  std::to_string(plan.figures.hostsPerSubnet),
              model.outcome))
        return;

    // The first rows, each written into exactly the room its writer asks for.
    const std::size_t n = plan.rows.size();
    const auto rows = oracle::Rows(model.start, model.hosts, std::min(n, std::size_t{1024}));
    const auto column = std::make_unique<char[]>(kMaxColumnRowChars);
    const auto record = std::make_unique<char[]>(kMaxCsvRowChars);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SubnetRow row = plan.rows.row(i);
        const bool marked = i == 0 || i + 1 == n;
        if (!Same(std::string(column.get(), WriteColumnRow(column.get(), row, marked)) + "\n" +
                      std::string(record.get(), WriteCsvRow(record.get(), row, marked)),
                  oracle::TableRow(rows[i], marked, false) + "\n" +
                      oracle::TableRow(rows[i], marked, true)))
            return;
    }

    const auto kind = RowText(below(3));
    std::string typed = rows[below(rows.size())][int(kind)];
    typed.resize(below(typed.size() + 1));
    if (!typed.empty() && below(4) == 0)
        typed.back() = "0123456789.-x"[below(13)];
    const std::size_t from = below(rows.size());
    const auto found = FindRowStartingWith(
        SubnetRows(plan.rows.start(), model.hosts, int(rows.size())), kind, typed, from);
    const auto looked = oracle::FirstStartingWith(rows, int(kind), typed, from);
    if (!Same(typed + " found at " + std::to_string(found.value_or(-1)),
              typed + " found at " + std::to_string(looked.value_or(-1))))
        return;

    const ReportFields fields{t, plan.figures.maskText, bitsText,
                              subnets.empty() ? std::to_string(n) : subnets,
                              hosts.empty() ? std::to_string(model.hosts) : hosts};
    const auto figures = ComputeReportFigures(fields);
    const auto summary =
        oracle::Summary(oracle::Value(fields.subnets), oracle::Value(fields.hosts));
    Same(figures ? Joined("", OpeningLines(fields, *figures)) : "refused",
         summary ? Joined("", oracle::Opening(fields, *summary)) : "refused");
}

} // namespace

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
        // Zero usable hosts times a negative count of usable subnets: a negative zero, shown as 0.
        CheckPlan({"192", "168", "1", "0"}, "2", "-1", "2", below);
        for (int trial = 0; trial < 6000 && !QTest::currentTestFailed(); ++trial) {
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
            // In this order, whatever order a compiler gives to arguments.
            const std::string hosts = count(), subnets = count();
            CheckPlan(t, bits, subnets, hosts, below);
        }
    }
};

QTEST_APPLESS_MAIN(TestSubnetPlan)
#include "test_subnet_plan.moc"
