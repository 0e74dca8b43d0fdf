// A plan's rows made on demand are the rows the enumeration steps through, octet for octet.
#include "subnet_rows.h"

#include <QTest>
#include <limits>
#include <random>
#include <vector>

using namespace tessnivar;

namespace {

QByteArray Text(const SubnetRow& row) {
    return QByteArray::fromStdString(row.subnetNumber() + " " + row.startIp() + " " + row.endIp());
}

// The first row whose text made on demand differs from the row stepping reaches at the same
// number, both texts; nothing when all rows agree and there are as many as promised.
std::pair<QByteArray, QByteArray> FirstDifference(const SubnetRows& rows) {
    std::pair<QByteArray, QByteArray> difference;
    std::size_t i = 0;
    rows.forEach([&](const SubnetRow& stepped) {
        if (difference.first.isEmpty() && rows.row(i) != stepped)
            difference = {Text(rows.row(i)), Text(stepped)};
        ++i;
    });
    if (difference.first.isEmpty() && i != rows.size())
        difference = {QByteArray::number(qulonglong(rows.size())) + " rows",
                      QByteArray::number(qulonglong(i)) + " rows"};
    return difference;
}

} // namespace

class TestSubnetRows : public QObject {
    Q_OBJECT

private slots:
    void rowOnDemandEqualsRowSteppedToForAnyOctets() {
        std::mt19937 random(11);
        std::uniform_int_distribution<std::int64_t> octet(-700, 1300);
        const std::int32_t hosts[] = {4, 64, 256, 4096, 32768, 65536, 16777216};
        for (int trial = 0; trial < 300; ++trial) {
            const WorkingAddress start{
                {octet(random), octet(random), octet(random), octet(random)}};
            const auto [onDemand, stepped] =
                FirstDifference(SubnetRows(start, hosts[trial % std::size(hosts)], 300));
            QCOMPARE(onDemand, stepped);
        }
        // Typed octets at the ends of what loads.
        constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
        constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
        QCOMPARE(FirstDifference(SubnetRows({{kHigh, kHigh, kHigh, kHigh}}, 65536, 64)),
                 (std::pair<QByteArray, QByteArray>()));
        QCOMPARE(FirstDifference(SubnetRows({{kLow, kLow, kLow, kLow}}, 16777216, 64)),
                 (std::pair<QByteArray, QByteArray>()));
        QCOMPARE(FirstDifference(SubnetRows({{-1, 255, 255, 255}}, 4, 64)),
                 (std::pair<QByteArray, QByteArray>()));
    }

    void largestPlanRowsAreThereAtOnce() {
        const SubnetRows rows({{10, 0, 0, 0}}, 4, 4194304);
        QCOMPARE(rows.size(), std::size_t{4194304});
        QCOMPARE(Text(rows.row(0)), "0 10.0.0.0 10.0.0.3");
        QCOMPARE(Text(rows.row(4000000)), "4000000 10.244.36.0 10.244.36.3");
        QCOMPARE(Text(rows.row(4194303)), "4194303 10.255.255.252 10.255.255.255");
    }

    void firstRowShowsTheOctetsAsLoaded() {
        // 192.300.1.0 with one subnet of 256: only the first start keeps the octet above 255.
        const SubnetRows rows({{192, 300, 1, 0}}, 256, 2);
        QCOMPARE(Text(rows.row(0)), "0 192.300.1.0 193.44.1.255");
        QCOMPARE(Text(rows.row(1)), "1 193.44.2.0 193.44.2.255");
    }

    void noRowsWithoutSubnets() {
        QVERIFY(SubnetRows().empty());
        QCOMPARE(SubnetRows({{10, 0, 0, 0}}, 4, 0).size(), std::size_t{0});
        QCOMPARE(SubnetRows({{10, 0, 0, 0}}, 4, -5).size(), std::size_t{0});
    }
};

QTEST_APPLESS_MAIN(TestSubnetRows)
#include "test_subnet_rows.moc"
