#include "subnet_row_store.h"

#include <QTest>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace tessnivar;

namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

QByteArray Texts(const SubnetRow& row) {
    return QByteArray::fromStdString(row.subnetNumber() + " " + row.startIp() + " " + row.endIp());
}

} // namespace

class TestSubnetRowStore : public QObject {
    Q_OBJECT

private slots:
    void rowsRoundTripWhateverTheirOctets();
    void clearForgetsWideRowsToo();
    void storedRowsGiveTheirTexts();
};

void TestSubnetRowStore::rowsRoundTripWhateverTheirOctets() {
    // Packed rows at both ends of 0 to 255 interleaved with rows that must be kept whole: one
    // wide octet in the start or only in the end, the int64 extremes, any row number.
    std::vector<SubnetRow> rows = {
        {0, {{0, 0, 0, 0}}, {{255, 255, 255, 255}}},
        {1, {{-1, 0, 0, 0}}, {{10, 0, 0, 3}}},
        {2, {{10, 0, 0, 4}}, {{10, 0, 0, 7}}},
        {3, {{255, 255, 255, 252}}, {{256, 0, 0, 3}}},
        {4, {{kMin, kMax, -256, 256}}, {{kMax, kMin, 0, 0}}},
        {std::numeric_limits<std::int32_t>::max(), {{1, 2, 3, 4}}, {{5, 6, 7, 8}}},
        {-1, {{0, 0, 0, -1}}, {{0, 0, 0, 0}}},
    };
    std::mt19937 random(99);
    std::uniform_int_distribution<std::int64_t> packed(0, 255);
    std::uniform_int_distribution<std::int64_t> wide(-70000, 70000);
    std::bernoulli_distribution pickWide(0.02);
    for (std::int32_t n = 0; n < 20000; ++n) {
        SubnetRow row{n, {}, {}};
        for (WorkingAddress* address : {&row.start, &row.end})
            for (std::int64_t& octet : address->octet)
                octet = pickWide(random) ? wide(random) : packed(random);
        rows.push_back(row);
    }

    SubnetRowStore store;
    QVERIFY(store.empty());
    store.reserve(rows.size());
    for (const SubnetRow& row : rows)
        store.append(row);
    QCOMPARE(store.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        QVERIFY2(store.row(i) == rows[i], qPrintable(QByteArray::number(qulonglong(i))));
}

void TestSubnetRowStore::clearForgetsWideRowsToo() {
    SubnetRowStore store;
    store.append(SubnetRow{0, {{-5, 0, 0, 0}}, {{300, 0, 0, 0}}});
    store.append(SubnetRow{1, {{1, 0, 0, 0}}, {{1, 0, 0, 255}}});
    store.clear();
    QVERIFY(store.empty());
    QCOMPARE(store.size(), std::size_t{0});

    const SubnetRow next = SubnetRow{7, {{10, 0, 0, 0}}, {{10, 0, 0, 3}}};
    store.append(next);
    QCOMPARE(store.size(), std::size_t{1});
    QVERIFY(store.row(0) == next);
}

void TestSubnetRowStore::storedRowsGiveTheirTexts() {
    SubnetRowStore store;
    store.append(SubnetRow{4194303, {{10, 255, 255, 252}}, {{10, 255, 255, 255}}});
    store.append(SubnetRow{0, {{192, 300, 1, 0}}, {{193, 44, 1, 255}}});
    store.append(SubnetRow{2, {{-1, 0, 7, 99999}}, {{kMin, 0, 0, kMax}}});
    QCOMPARE(Texts(store.row(0)), QByteArray("4194303 10.255.255.252 10.255.255.255"));
    QCOMPARE(Texts(store.row(1)), QByteArray("0 192.300.1.0 193.44.1.255"));
    QCOMPARE(Texts(store.row(2)), QByteArray("2 -1.0.7.99999 "
                                             "-9223372036854775808.0.0.9223372036854775807"));
    const std::string longest = DottedQuad(WorkingAddress{{kMin, kMin, kMin, kMin}});
    QCOMPARE(longest.size(), std::size_t{kMaxDottedQuadChars});
}

QTEST_APPLESS_MAIN(TestSubnetRowStore)
#include "test_subnet_row_store.moc"
