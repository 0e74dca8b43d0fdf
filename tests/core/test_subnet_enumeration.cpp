#include "subnet_enumeration.h"

#include <QTest>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <random>
#include <vector>

using namespace tessnivar;

namespace {

OctetTexts Octets(const QByteArray& texts) {
    const QList<QByteArray> parts = texts.split('/');
    Q_ASSERT(parts.size() == 4);
    return {parts[0].toStdString(), parts[1].toStdString(), parts[2].toStdString(),
            parts[3].toStdString()};
}

QByteArray RowText(const SubnetRow& row) {
    return QByteArray::fromStdString(row.subnetNumber() + "," + row.startIp() + "," + row.endIp());
}

// The carry passes exactly as the plan describes them, one block of 256 at a time.
void LiteralCarry(std::array<std::int64_t, 4>& p) {
    while (p[3] > 255) {
        p[3] -= 256;
        p[2] += 1;
    }
    while (p[2] > 255) {
        p[2] -= 256;
        p[1] += 1;
    }
    while (p[1] > 255) {
        p[1] -= 256;
        p[0] += 1;
    }
}

// Address a as four octets, the first holding everything above the low 24 bits.
WorkingAddress FromInteger(std::uint64_t a) {
    return WorkingAddress{{std::int64_t(a >> 24), std::int64_t(a >> 16 & 0xFF),
                           std::int64_t(a >> 8 & 0xFF), std::int64_t(a & 0xFF)}};
}

} // namespace

class TestSubnetEnumeration : public QObject {
    Q_OBJECT

private slots:
    void enumeratesWorkedPlans_data();
    void enumeratesWorkedPlans();
    void everyClassfulPlanFollowsClosedForm();
    void enumerationFollowsLiteralStepsForAnyOctets();
    void carryMatchesLiteralLoops();
    void loadRoundsHalvesToEvenAndNamesBadOctet_data();
    void loadRoundsHalvesToEvenAndNamesBadOctet();
    void octetRangeErrorTextShowsOctetAsTyped();
};

void TestSubnetEnumeration::enumeratesWorkedPlans_data() {
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<int>("hosts");
    QTest::addColumn<int>("subnets");
    // Rows to check, "number,startIp,endIp"; the others are only counted.
    QTest::addColumn<QByteArrayList>("rows");

    QByteArrayList classB;
    for (int n = 0; n < 16; ++n)
        classB << QByteArray::number(n) + ",172.16." + QByteArray::number(16 * n) + ".0,172.16." +
                      QByteArray::number(16 * n + 15) + ".255";

    QTest::newRow("start state") << QByteArray("192/168/0/0") << 256 << 1
                                 << QByteArrayList{"0,192.168.0.0,192.168.0.255"};
    QTest::newRow("class C, 2 bits")
        << QByteArray("192/168/0/0") << 64 << 4
        << QByteArrayList{"0,192.168.0.0,192.168.0.63", "1,192.168.0.64,192.168.0.127",
                          "2,192.168.0.128,192.168.0.191", "3,192.168.0.192,192.168.0.255"};
    QTest::newRow("class B, 4 bits") << QByteArray("172/16/0/0") << 4096 << 16 << classB;
    QTest::newRow("class A, 10 bits")
        << QByteArray("10/0/0/0") << 16384 << 1024
        << QByteArrayList{"0,10.0.0.0,10.0.63.255",    "1,10.0.64.0,10.0.127.255",
                          "2,10.0.128.0,10.0.191.255", "3,10.0.192.0,10.0.255.255",
                          "4,10.1.0.0,10.1.63.255",    "1023,10.255.192.0,10.255.255.255"};
    QTest::newRow("largest subnets of 16-bit steps")
        << QByteArray("10/0/0/0") << 32768 << 512
        << QByteArrayList{"0,10.0.0.0,10.0.127.255", "1,10.0.128.0,10.0.255.255",
                          "2,10.1.0.0,10.1.127.255"};
    QTest::newRow("largest plan") << QByteArray("10/0/0/0") << 4 << 4194304
                                  << QByteArrayList{"0,10.0.0.0,10.0.0.3",
                                                    "4194303,10.255.255.252,10.255.255.255"};
    QTest::newRow("class A, 0 bits")
        << QByteArray("10/0/0/0") << 16777216 << 1 << QByteArrayList{"0,10.0.0.0,10.255.255.255"};
    QTest::newRow("octet above 255 carries after first start")
        << QByteArray("192/300/1/0") << 256 << 1 << QByteArrayList{"0,192.300.1.0,193.44.1.255"};
    QTest::newRow("empty octet and leading zeros")
        << QByteArray("192/168/007/") << 256 << 1 << QByteArrayList{"0,192.168.7.0,192.168.7.255"};
    QTest::newRow("no subnets") << QByteArray("192/168/0/0") << 256 << 0 << QByteArrayList{};
    QTest::newRow("negative count") << QByteArray("192/168/0/0") << 256 << -1 << QByteArrayList{};
    QTest::newRow("most negative count")
        << QByteArray("192/168/0/0") << 256 << std::numeric_limits<int>::min() << QByteArrayList{};
}

void TestSubnetEnumeration::enumeratesWorkedPlans() {
    QFETCH(QByteArray, address);
    QFETCH(int, hosts);
    QFETCH(int, subnets);
    QFETCH(QByteArrayList, rows);

    std::map<int, QByteArray> expected;
    for (const QByteArray& row : rows)
        expected[row.left(row.indexOf(',')).toInt()] = row;

    const AddressLoad load = LoadWorkingAddress(Octets(address));
    QVERIFY(load.ok());
    int count = 0;
    std::map<int, QByteArray> actual;
    EnumerateSubnets(load.address, hosts, subnets, [&](const SubnetRow& row) {
        if (expected.count(row.number) != 0)
            actual[row.number] = RowText(row);
        ++count;
    });
    QCOMPARE(count, std::max(subnets, 0));
    for (const auto& [number, text] : expected)
        QCOMPARE(actual[number], text);
}

void TestSubnetEnumeration::everyClassfulPlanFollowsClosedForm() {
    // Row n covers A + n*H to A + n*H + H - 1 for every class and every bits-borrowed value,
    // the subnets of more than 32768 addresses included.
    const struct {
        std::uint32_t network;
        int maskBits;
        int maxBits;
    } classes[] = {
        {126u << 24, 8, 22}, {172u << 24 | 16u << 16, 16, 14}, {223u << 24 | 1u << 8, 24, 6}};
    for (const auto& c : classes) {
        for (int bits = 0; bits <= c.maxBits; bits += bits == 0 ? 2 : 1) {
            const std::int32_t subnets = 1 << bits;
            const std::int32_t hosts = 1 << (32 - c.maskBits - bits);
            std::int64_t n = 0;
            bool closedForm = true;
            EnumerateSubnets(FromInteger(c.network), hosts, subnets, [&](const SubnetRow& row) {
                const std::uint64_t start = c.network + std::uint64_t(n) * hosts;
                closedForm = closedForm && row.number == n && row.start == FromInteger(start) &&
                             row.end == FromInteger(start + hosts - 1);
                ++n;
            });
            QVERIFY2(closedForm && n == subnets,
                     qPrintable(QStringLiteral("/%1 with %2 bits").arg(c.maskBits).arg(bits)));
        }
    }
}

void TestSubnetEnumeration::enumerationFollowsLiteralStepsForAnyOctets() {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::int64_t> octet(-400, 1200);
    std::uniform_int_distribution<std::int32_t> hosts(1, 70000);
    std::uniform_int_distribution<std::int32_t> subnets(0, 40);
    for (int trial = 0; trial < 2000; ++trial) {
        const WorkingAddress start{{octet(random), octet(random), octet(random), octet(random)}};
        const std::int32_t h = hosts(random);
        const std::int32_t n = subnets(random);

        std::vector<SubnetRow> expected;
        auto p = start.octet;
        for (std::int32_t k = 0; k <= n - 1; ++k) {
            SubnetRow row;
            row.number = k;
            row.start.octet = p;
            p[3] += h - 1;
            LiteralCarry(p);
            row.end.octet = p;
            expected.push_back(row);
            p[3] += 1;
            LiteralCarry(p);
        }
        std::vector<SubnetRow> actual;
        EnumerateSubnets(start, h, n, [&](const SubnetRow& row) { actual.push_back(row); });
        QVERIFY2(actual == expected, qPrintable(QByteArray::fromStdString(DottedQuad(start)) +
                                                " H=" + QByteArray::number(h)));
    }
}

void TestSubnetEnumeration::carryMatchesLiteralLoops() {
    std::mt19937 random(7);
    // Mostly values around the 0 and 255 edges, some far beyond them in either direction.
    std::uniform_int_distribution<std::int64_t> nearEdges(-600, 600);
    std::uniform_int_distribution<std::int64_t> far(-(1 << 17), 1 << 17);
    std::bernoulli_distribution pickFar(0.3);
    for (int trial = 0; trial < 50000; ++trial) {
        WorkingAddress address;
        for (std::int64_t& value : address.octet)
            value = pickFar(random) ? far(random) : nearEdges(random);
        auto expected = address.octet;
        LiteralCarry(expected);
        const WorkingAddress before = address;
        CarryOctets(address);
        QVERIFY2(address.octet == expected,
                 qPrintable(QByteArray::fromStdString("carry of " + DottedQuad(before) + " gave " +
                                                      DottedQuad(address))));
    }
}

void TestSubnetEnumeration::loadRoundsHalvesToEvenAndNamesBadOctet_data() {
    QTest::addColumn<QByteArray>("texts");
    QTest::addColumn<int>("badOctet");
    QTest::addColumn<QByteArray>("loaded");

    const QByteArray huge(400, '9');
    QTest::newRow("halves to even")
        << QByteArray("2.5/3.5/-2.5/0.5") << -1 << QByteArray("2.4.-2.0");
    QTest::newRow("text forms") << QByteArray(" 10/1e10/0x7f/abc") << -1 << QByteArray("10.1.0.0");
    QTest::newRow("32-bit limits") << QByteArray("2147483647/-2147483648/2147483646.5/-0") << -1
                                   << QByteArray("2147483647.-2147483648.2147483646.0");
    QTest::newRow("above int32") << QByteArray("10/2147483648/0/0") << 1 << QByteArray();
    QTest::newRow("half above int32") << QByteArray("10/0/2147483647.5/0") << 2 << QByteArray();
    QTest::newRow("below int32") << QByteArray("-2147483649/0/0/0") << 0 << QByteArray();
    QTest::newRow("ten digits") << QByteArray("10/0/0/10000000000") << 3 << QByteArray();
    QTest::newRow("first bad octet named") << "10/" + huge + "/" + huge + "/0" << 1 << QByteArray();
    QTest::newRow("infinite negative") << "10/0/-" + huge + "/0" << 2 << QByteArray();
}

void TestSubnetEnumeration::loadRoundsHalvesToEvenAndNamesBadOctet() {
    QFETCH(QByteArray, texts);
    QFETCH(int, badOctet);
    QFETCH(QByteArray, loaded);
    const AddressLoad load = LoadWorkingAddress(Octets(texts));
    QCOMPARE(load.badOctet, badOctet);
    QCOMPARE(load.ok(), badOctet < 0);
    if (load.ok())
        QCOMPARE(QByteArray::fromStdString(DottedQuad(load.address)), loaded);
}

void TestSubnetEnumeration::octetRangeErrorTextShowsOctetAsTyped() {
    QCOMPARE(QByteArray::fromStdString(OctetRangeErrorText(" 99999999999")),
             QByteArray("Sorry: This address cannot be subnetted.\r\n"
                        "The octet  99999999999 is out of range."));
}

QTEST_APPLESS_MAIN(TestSubnetEnumeration)
#include "test_subnet_enumeration.moc"
