#include "network_check.h"

#include <QTest>
#include <optional>

using namespace tessnivar;

namespace {

// "192/168/1/" gives four texts, the last one empty; "/" keeps "." free for fractions.
OctetTexts Octets(const QByteArray& texts) {
    const QList<QByteArray> parts = texts.split('/');
    Q_ASSERT(parts.size() == 4);
    return {parts[0].toStdString(), parts[1].toStdString(), parts[2].toStdString(),
            parts[3].toStdString()};
}

QByteArray Letter(std::optional<AddressClass> addressClass) {
    if (!addressClass)
        return "pass";
    switch (*addressClass) {
    case AddressClass::ClassA:
        return "A";
    case AddressClass::ClassB:
        return "B";
    case AddressClass::ClassC:
        break;
    }
    return "C";
}

} // namespace

class TestNetworkCheck : public QObject {
    Q_OBJECT

private slots:
    void checkAppliesRuleOfFirstOctetBand_data();
    void checkAppliesRuleOfFirstOctetBand();
    void errorTextShowsOctetsAsTypedWithClassHint_data();
    void errorTextShowsOctetsAsTypedWithClassHint();
};

void TestNetworkCheck::checkAppliesRuleOfFirstOctetBand_data() {
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<QByteArray>("verdict");

    const char* const rows[][2] = {
        {"0/0/0/0", "pass"},      {"10/0/0/1", "A"},       {"10/0/1/0", "A"},
        {"10/1/0/0", "A"},        {"-1/0/0/1", "A"},       {"127/0/0/0", "pass"},
        {"127/1/0/0", "A"},       {"127.5/9/9/9", "pass"}, {"127.9/0/0/1", "pass"},
        {"128/0/1/0", "B"},       {"128/1/0/0", "pass"},   {"172/16/0/1", "B"},
        {"172/16/1/0", "B"},      {"172/300/0/0", "pass"}, {"191/0/1/0", "B"},
        {"191.5/0/1/0", "pass"},  {"191.5/0/0/1", "C"},    {"192/0/1/0", "pass"},
        {"192/168/1/5", "C"},     {"192/168/1/0", "pass"}, {"192/300/1/0", "pass"},
        {"224/0/0/0", "pass"},    {"224/0/0/1", "C"},      {"192/168/1/", "pass"},
        {"///", "pass"},          {"10///", "pass"},       {"192/168/1/abc", "pass"},
        {"192/168/1/-0", "pass"}, {"192/168/1/0.4", "C"},  {"172/16/ 0x1/0", "pass"},
        {"172/16/1e0/0", "B"},
    };
    for (const auto& row : rows)
        QTest::newRow(row[0]) << QByteArray(row[0]) << QByteArray(row[1]);
}

void TestNetworkCheck::checkAppliesRuleOfFirstOctetBand() {
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, verdict);
    QCOMPARE(Letter(CheckNetworkAddress(Octets(address))), verdict);
}

void TestNetworkCheck::errorTextShowsOctetsAsTypedWithClassHint_data() {
    QTest::addColumn<int>("brokenClass");
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("class C") << int(AddressClass::ClassC) << QByteArray("192/168/007/5")
                             << QByteArray("Sorry: This address cannot be subnetted.\r\n"
                                           "The address 192.168.007.5 does not represent a "
                                           "network address.\r\n"
                                           "HINT: To be a network address, the last octet MUST "
                                           "be zero.");
    QTest::newRow("class B") << int(AddressClass::ClassB) << QByteArray("172/16/1/0")
                             << QByteArray("Sorry: This address cannot be subnetted.\r\n"
                                           "The address 172.16.1.0 does not represent a network "
                                           "address.\r\n"
                                           "HINT: To be a network address, the last two octets "
                                           "MUST be zero\r\n"
                                           "since this is a Class B address.");
    QTest::newRow("class A, blank and empty octets")
        << int(AddressClass::ClassA) << QByteArray(" 10//1.50/")
        << QByteArray("Sorry: This address cannot be subnetted.\r\n"
                      "The address  10..1.50. does not represent a network address.\r\n"
                      "HINT: To be a network address, the last three octets MUST be zero\r\n"
                      "since this is a Class A address.");
}

void TestNetworkCheck::errorTextShowsOctetsAsTypedWithClassHint() {
    QFETCH(int, brokenClass);
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, expected);
    QCOMPARE(
        QByteArray::fromStdString(NetworkErrorText(AddressClass(brokenClass), Octets(address))),
        expected);
}

QTEST_APPLESS_MAIN(TestNetworkCheck)
#include "test_network_check.moc"
