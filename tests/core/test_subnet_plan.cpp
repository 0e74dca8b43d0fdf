#include "mask_and_counts.h"
#include "subnet_enumeration.h"

#include <QTest>
#include <array>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace tessnivar;

namespace {

// Octets and rows as text, written here without the code under test.
QString Text(const std::array<std::int64_t, 4>& octets) {
    return QString::asprintf("%lld.%lld.%lld.%lld", static_cast<long long>(octets[0]),
                             static_cast<long long>(octets[1]), static_cast<long long>(octets[2]),
                             static_cast<long long>(octets[3]));
}

QString Text(const SubnetRow& row) {
    return QString::number(row.number) + " " + Text(row.start.octet) + " " + Text(row.end.octet);
}

} // namespace

class TestSubnetPlan : public QObject {
    Q_OBJECT

private slots:
    void maskAndCountsFollowPrefixLength();
    void prefixOverThirtyKeepsCountsWithoutMask();
    void enumeratesWorkedPlans();
    void dottedQuadWritesEveryOctetInPlainDecimal();
    void carryMatchesLiteralLoops();
    void loadNamesFirstBadOctet();
};

void TestSubnetPlan::maskAndCountsFollowPrefixLength() {
    for (const int classBits : {8, 16, 24}) {
        for (int bits = 0; classBits + bits <= 30; ++bits) {
            const int p = classBits + bits;
            const std::uint32_t mask = ~std::uint32_t{0} << (32 - p);
            const MaskAndCounts result = ComputeMaskAndCounts(static_cast<std::int16_t>(classBits),
                                                              static_cast<std::int16_t>(bits));
            // The plan in the text, so that a failure names it.
            QCOMPARE(QString::asprintf("/%d+%d: %s, %d x %d%s", classBits, bits,
                                       result.maskText.c_str(), result.subnetCount,
                                       result.hostsPerSubnet, result.prefixTooLong ? " RC-01" : ""),
                     QString::asprintf("/%d+%d: %u.%u.%u.%u, %d x %d", classBits, bits, mask >> 24,
                                       mask >> 16 & 0xFF, mask >> 8 & 0xFF, mask & 0xFF, 1 << bits,
                                       1 << (32 - p)));
        }
    }
}

void TestSubnetPlan::prefixOverThirtyKeepsCountsWithoutMask() {
    const MaskAndCounts result = ComputeMaskAndCounts(24, 7);
    QCOMPARE(result.subnetCount, 128);
    QCOMPARE(result.hostsPerSubnet, 2);
    QVERIFY(result.prefixTooLong);
    QCOMPARE(QByteArray::fromStdString(result.maskText), QByteArray());
    QCOMPARE(QByteArray::fromStdString(PrefixTooLongErrorText()),
             QByteArray("There has been an error.\r\nError Code: RC-01"));
}

void TestSubnetPlan::enumeratesWorkedPlans() {
    const struct {
        OctetTexts address;
        std::int32_t hosts, subnets, number;
        const char* row;
    } rows[] = {
        {{"192", "168", "0", "0"}, 64, 4, 0, "0 192.168.0.0 192.168.0.63"},
        {{"192", "168", "0", "0"}, 64, 4, 1, "1 192.168.0.64 192.168.0.127"},
        {{"192", "168", "0", "0"}, 64, 4, 2, "2 192.168.0.128 192.168.0.191"},
        {{"192", "168", "0", "0"}, 64, 4, 3, "3 192.168.0.192 192.168.0.255"},
        {{"172", "16", "0", "0"}, 4096, 16, 0, "0 172.16.0.0 172.16.15.255"},
        {{"172", "16", "0", "0"}, 4096, 16, 15, "15 172.16.240.0 172.16.255.255"},
        {{"10", "0", "0", "0"}, 4, 4194304, 0, "0 10.0.0.0 10.0.0.3"},
        {{"10", "0", "0", "0"}, 4, 4194304, 4194303, "4194303 10.255.255.252 10.255.255.255"},
        {{"192", "300", "1", "0"}, 256, 1, 0, "0 192.300.1.0 193.44.1.255"},
        {{"10", "0", "0", "0"}, 16777216, 1, 0, "0 10.0.0.0 10.255.255.255"},
    };
    for (const auto& [address, hosts, subnets, number, expected] : rows) {
        std::int32_t count = 0;
        std::string text;
        EnumerateSubnets(
            LoadWorkingAddress(address).address, hosts, subnets, [&](const SubnetRow& row) {
                ++count;
                if (row.number == number)
                    text = row.subnetNumber() + " " + row.startIp() + " " + row.endIp();
            });
        QCOMPARE(count, subnets);
        QCOMPARE(QByteArray::fromStdString(text), QByteArray(expected));
    }
}

void TestSubnetPlan::dottedQuadWritesEveryOctetInPlainDecimal() {
    std::vector<std::int64_t> values = {-1,
                                        -100,
                                        256,
                                        1000,
                                        32768,
                                        -32769,
                                        std::numeric_limits<std::int64_t>::min(),
                                        std::numeric_limits<std::int64_t>::max()};
    for (std::int64_t v = 0; v <= 255; ++v)
        values.push_back(v);
    for (const std::int64_t v : values) {
        // Each place of the quad, with neighbours of other lengths.
        for (const auto& octets :
             {std::array<std::int64_t, 4>{v, v, v, v}, std::array<std::int64_t, 4>{1, v, 10, v},
              std::array<std::int64_t, 4>{v, 100, v, 1}}) {
            const WorkingAddress address{octets};
            QCOMPARE(QString::fromStdString(DottedQuad(address)), Text(octets));
        }
        if (v >= std::numeric_limits<std::int32_t>::min() &&
            v <= std::numeric_limits<std::int32_t>::max()) {
            const SubnetRow row{static_cast<std::int32_t>(v), {}, {}};
            QCOMPARE(QString::fromStdString(row.subnetNumber()), QString::number(v));
        }
    }
}

void TestSubnetPlan::carryMatchesLiteralLoops() {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::int64_t> octet(-600, 1200);
    for (int trial = 0; trial < 20000; ++trial) {
        WorkingAddress address{{octet(random), octet(random), octet(random), octet(random)}};
        // One block of 256 at a time, from the fourth octet forward.
        auto expected = address.octet;
        for (int i = 3; i > 0; --i)
            while (expected[i] > 255) {
                expected[i] -= 256;
                expected[i - 1] += 1;
            }
        const QString before = Text(address.octet);
        CarryOctets(address);
        QCOMPARE(before + " -> " + Text(address.octet), before + " -> " + Text(expected));
    }
}

void TestSubnetPlan::loadNamesFirstBadOctet() {
    const std::string huge(400, '9');
    // The first octet that cannot be used is named, even with another bad one after it.
    QCOMPARE(LoadWorkingAddress({"10", "0", "2147483647.5", "-" + huge}).badOctet, 2);
    QCOMPARE(LoadWorkingAddress({"10", huge, "0", "0"}).badOctet, 1);
    const AddressLoad load = LoadWorkingAddress({"2.5", "3.5", "-2.5", "0.5"});
    QCOMPARE(QByteArray::fromStdString(DottedQuad(load.address)), QByteArray("2.4.-2.0"));
    QCOMPARE(QByteArray::fromStdString(OctetRangeErrorText(" 99999999999")),
             QByteArray("Sorry: This address cannot be subnetted.\r\n"
                        "The octet  99999999999 is out of range."));
}

QTEST_APPLESS_MAIN(TestSubnetPlan)
#include "test_subnet_plan.moc"
