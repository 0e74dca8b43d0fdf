#include "network_check.h"

#include <QTest>
#include <optional>
#include <utility>

using namespace tessnivar;

// The class letter, '-' for none.
static char Letter(std::optional<AddressClass> addressClass) {
    return addressClass ? "ABC"[int(*addressClass)] : '-';
}

class TestNetworkCheck : public QObject {
    Q_OBJECT

private slots:
    void firstOctetDecidesClass();
    void checkAppliesRuleOfFirstOctetBand();
    void errorTextShowsOctetsAsTypedWithClassHint();
};

void TestNetworkCheck::firstOctetDecidesClass() {
    // '-' when address entry refuses the first octet.
    const std::pair<double, char> cases[] = {{-5, 'A'},    {126.9, 'A'}, {127, 'B'},   {191, 'B'},
                                             {191.5, 'C'}, {223, 'C'},   {223.5, '-'}, {224, '-'}};
    for (const auto& [value, addressClass] : cases)
        QCOMPARE(Letter(ClassOfFirstOctet(value)), addressClass);
}

void TestNetworkCheck::checkAppliesRuleOfFirstOctetBand() {
    // '-' when the address passes, else the letter of the class whose rule it breaks.
    const std::pair<OctetTexts, char> cases[] = {
        {{"127", "0", "0", "0"}, '-'},   {{"127", "1", "0", "0"}, 'A'},
        {{"127.5", "9", "9", "9"}, '-'}, {{"128", "0", "1", "0"}, 'B'},
        {{"128", "1", "0", "0"}, '-'},   {{"191", "0", "1", "0"}, 'B'},
        {{"191.5", "0", "0", "1"}, 'C'}, {{"192", "0", "1", "0"}, '-'},
        {{"192", "168", "1", "5"}, 'C'}, {{"224", "0", "0", "0"}, '-'},
        {{"224", "0", "0", "1"}, 'C'},   {{"192", "168", "1", ""}, '-'},
        {{"", "", "", ""}, '-'}};
    for (const auto& [address, verdict] : cases)
        QCOMPARE(Letter(CheckNetworkAddress(address)), verdict);
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
