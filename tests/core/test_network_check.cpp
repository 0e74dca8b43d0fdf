#include "network_check.h"

#include <QTest>
#include <array>
#include <optional>
#include <vector>

using namespace tessnivar;

namespace {

QString Verdict(std::optional<AddressClass> broken) {
    return broken ? QStringLiteral("Class %1 rule broken").arg(QChar("ABC"[int(*broken)]))
                  : QStringLiteral("passes");
}

// The rule table of the check: the first octets that fall under each rule and the octets the
// rule needs to be zero. The octets in front of those are not looked at. A first octet strictly
// between 127 and 128 falls under no rule.
struct RuleBand {
    std::optional<AddressClass> rule;
    std::vector<const char*> firstOctets;
    std::array<bool, 4> mustBeZero;
};

const RuleBand kRuleBands[] = {
    {AddressClass::ClassA, {"-1", "0", "10", "126.9", "127"}, {false, true, true, true}},
    {AddressClass::ClassB, {"128", "172", "191"}, {false, false, true, true}},
    {AddressClass::ClassC, {"191.5", "192", "223", "224", "999"}, {false, false, false, true}},
    {std::nullopt, {"127.5", "127.99"}, {false, false, false, false}},
};

// Texts worth something other than 0: a fraction or a negative value counts as well.
const char* const kNonZeroTexts[] = {"1", "0.5", "-1", "256"};
// Texts worth 0.
const char* const kZeroTexts[] = {"0", "", "-0", "0.0", "abc", " 0"};

void AddRow(const OctetTexts& octets, std::optional<AddressClass> broken) {
    QTest::addRow("%s | %s | %s | %s", octets[0].c_str(), octets[1].c_str(), octets[2].c_str(),
                  octets[3].c_str())
        << octets << Verdict(broken);
}

} // namespace

Q_DECLARE_METATYPE(OctetTexts)

class TestNetworkCheck : public QObject {
    Q_OBJECT

private slots:
    void addressEntryClassBands();
    void eachRuleTestsOnlyItsTrailingOctets_data();
    void eachRuleTestsOnlyItsTrailingOctets();
    void errorTextShowsOctetsAsTypedWithClassHint();
};

void TestNetworkCheck::addressEntryClassBands() {
    // Address entry's own bounds, 127 and 192, differ from the check's; "refused" above 223.
    const std::pair<double, const char*> cases[] = {{-5, "A"},          {126.9, "A"},    {127, "B"},
                                                    {191, "B"},         {191.5, "C"},    {223, "C"},
                                                    {223.5, "refused"}, {224, "refused"}};
    for (const auto& [value, expected] : cases) {
        const auto addressClass = ClassOfFirstOctet(value);
        const QString got = addressClass ? QString(QChar("ABC"[int(*addressClass)])) : "refused";
        QCOMPARE(QStringLiteral("%1: %2").arg(value).arg(got),
                 QStringLiteral("%1: %2").arg(value).arg(expected));
    }
}

void TestNetworkCheck::eachRuleTestsOnlyItsTrailingOctets_data() {
    QTest::addColumn<OctetTexts>("octets");
    QTest::addColumn<QString>("verdict");
    for (const RuleBand& band : kRuleBands) {
        for (const char* first : band.firstOctets) {
            // One trailing octet at a time holds something other than 0.
            for (int k = 1; k < 4; ++k) {
                for (const char* text : kNonZeroTexts) {
                    OctetTexts octets{first, "0", "0", "0"};
                    octets[k] = text;
                    AddRow(octets, band.mustBeZero[k] ? band.rule : std::nullopt);
                }
            }
            for (const char* zero : kZeroTexts)
                AddRow({first, zero, zero, zero}, std::nullopt);
            // Everything in front of the octets that must be zero, at once.
            OctetTexts untested{first, "0", "0", "0"};
            for (int k = 1; k < 4 && !band.mustBeZero[k]; ++k)
                untested[k] = "300";
            AddRow(untested, std::nullopt);
        }
    }
}

void TestNetworkCheck::eachRuleTestsOnlyItsTrailingOctets() {
    QFETCH(OctetTexts, octets);
    QFETCH(QString, verdict);
    QCOMPARE(Verdict(CheckNetworkAddress(octets)), verdict);
}

void TestNetworkCheck::errorTextShowsOctetsAsTypedWithClassHint() {
    using enum AddressClass;
    const QByteArray lead = "Sorry: This address cannot be subnetted.\r\nThe address ";
    const QByteArray hint =
        " does not represent a network address.\r\nHINT: To be a network address, the last ";
    const QByteArray since = " octets MUST be zero\r\nsince this is a Class ";
    QCOMPARE(QByteArray::fromStdString(NetworkErrorText(ClassC, {"192", "168", "007", "5"})),
             lead + "192.168.007.5" + hint + "octet MUST be zero.");
    QCOMPARE(QByteArray::fromStdString(NetworkErrorText(ClassB, {"172", "16", "1", "0"})),
             lead + "172.16.1.0" + hint + "two" + since + "B address.");
    QCOMPARE(QByteArray::fromStdString(NetworkErrorText(ClassA, {" 10", "", "1.50", ""})),
             lead + " 10..1.50." + hint + "three" + since + "A address.");
}

QTEST_APPLESS_MAIN(TestNetworkCheck)
#include "test_network_check.moc"
