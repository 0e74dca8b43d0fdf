// A plan's rows made on demand are the rows the enumeration steps through, octet for octet.
#include "subnet_rows.h"

#include <QTest>
#include <cstdint>
#include <random>

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
        // First typed octets at the ends of what loads, then any octets.
        const WorkingAddress ends[] = {{{INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}},
                                       {{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN}},
                                       {{-1, 255, 255, 255}}};
        for (int trial = 0; trial < 300; ++trial) {
            const WorkingAddress start =
                trial < 3
                    ? ends[trial]
                    : WorkingAddress{{octet(random), octet(random), octet(random), octet(random)}};
            const auto [onDemand, stepped] =
                FirstDifference(SubnetRows(start, hosts[(trial + 5) % std::size(hosts)], 300));
            QCOMPARE(onDemand, stepped);
        }
    }

    // Fixed rows of worked plans: carries across one, two and three octets, the last row of the
    // largest plan, and a typed octet above 255 that only the first start keeps.
    void rowsOfWorkedPlans() {
        const std::tuple<WorkingAddress, std::int32_t, std::int32_t, std::size_t, const char*>
            rows[] = {
                {{{172, 16, 0, 0}}, 4096, 16, 15, "15 172.16.240.0 172.16.255.255"},
                {{{10, 0, 0, 0}}, 16777216, 1, 0, "0 10.0.0.0 10.255.255.255"},
                {{{10, 0, 0, 0}}, 4, 4194304, 4194303, "4194303 10.255.255.252 10.255.255.255"},
                {{{192, 300, 1, 0}}, 256, 2, 0, "0 192.300.1.0 193.44.1.255"},
                {{{192, 300, 1, 0}}, 256, 2, 1, "1 193.44.2.0 193.44.2.255"}};
        for (const auto& [start, hosts, count, i, row] : rows)
            QCOMPARE(Text(SubnetRows(start, hosts, count).row(i)), QByteArray(row));
        // No subnets, no rows.
        QCOMPARE(SubnetRows({{10, 0, 0, 0}}, 4, -5).size() + SubnetRows().size(), std::size_t{0});
    }
};

QTEST_APPLESS_MAIN(TestSubnetRows)
#include "test_subnet_rows.moc"
