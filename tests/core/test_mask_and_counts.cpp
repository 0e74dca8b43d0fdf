#include "address_class.h"
#include "mask_and_counts.h"

#include <QTest>
#include <cstdint>
#include <optional>

using namespace tessnivar;

namespace {

// Mask of prefixLength leading one bits, from a 32-bit integer.
QByteArray ExpectedMask(int prefixLength) {
    const std::uint32_t bits = prefixLength == 0 ? 0 : ~std::uint32_t{0} << (32 - prefixLength);
    QByteArrayList octets;
    for (int shift = 24; shift >= 0; shift -= 8)
        octets << QByteArray::number(bits >> shift & 0xFF);
    return octets.join('.');
}

QByteArray Letter(std::optional<AddressClass> addressClass) {
    if (!addressClass)
        return "refused";
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

class TestMaskAndCounts : public QObject {
    Q_OBJECT

private slots:
    void maskTextHasPrefixLeadingOnes();
    void everySpinnerPlanHasPowerOfTwoCountsAndMask();
    void prefixOverThirtyKeepsCountsWithoutMask();
    void prefixTooLongErrorTextBytes();
    void firstOctetDecidesClass();
};

void TestMaskAndCounts::maskTextHasPrefixLeadingOnes() {
    for (int p = 1; p <= 32; ++p)
        QCOMPARE(QByteArray::fromStdString(MaskText(p)), ExpectedMask(p));
}

void TestMaskAndCounts::everySpinnerPlanHasPowerOfTwoCountsAndMask() {
    const struct {
        AddressClass addressClass;
        int maskBits;
    } classes[] = {
        {AddressClass::ClassA, 8}, {AddressClass::ClassB, 16}, {AddressClass::ClassC, 24}};
    for (const auto& [c, maskBits] : classes) {
        QCOMPARE(int{ClassMaskBits(c)}, maskBits);
        QCOMPARE(int{MaxBitsBorrowed(c)}, 30 - maskBits);
        // The spinner never rests on 1 bit.
        for (int bits = 0; bits <= 30 - maskBits; bits += bits == 0 ? 2 : 1) {
            const MaskAndCounts result = ComputeMaskAndCounts(static_cast<std::int16_t>(maskBits),
                                                              static_cast<std::int16_t>(bits));
            QCOMPARE(result.subnetCount, 1 << bits);
            QCOMPARE(result.hostsPerSubnet, 1 << (32 - maskBits - bits));
            QVERIFY(!result.prefixTooLong);
            QCOMPARE(QByteArray::fromStdString(result.maskText), ExpectedMask(maskBits + bits));
        }
    }
}

void TestMaskAndCounts::prefixOverThirtyKeepsCountsWithoutMask() {
    const MaskAndCounts classC = ComputeMaskAndCounts(24, 7);
    QCOMPARE(classC.subnetCount, 128);
    QCOMPARE(classC.hostsPerSubnet, 2);
    QVERIFY(classC.prefixTooLong);
    QVERIFY(classC.maskText.empty());

    const MaskAndCounts classA = ComputeMaskAndCounts(8, 24);
    QCOMPARE(classA.subnetCount, 16777216);
    QCOMPARE(classA.hostsPerSubnet, 1);
    QVERIFY(classA.prefixTooLong);
    QVERIFY(classA.maskText.empty());
}

void TestMaskAndCounts::prefixTooLongErrorTextBytes() {
    QCOMPARE(QByteArray::fromStdString(PrefixTooLongErrorText()),
             QByteArray("There has been an error.\r\nError Code: RC-01"));
}

void TestMaskAndCounts::firstOctetDecidesClass() {
    const struct {
        double value;
        const char* addressClass;
    } cases[] = {{-5, "A"},  {0, "A"},           {126, "A"},      {126.9, "A"},
                 {127, "B"}, {191, "B"},         {191.5, "C"},    {192, "C"},
                 {223, "C"}, {223.5, "refused"}, {224, "refused"}};
    for (const auto& [value, addressClass] : cases)
        QVERIFY2(Letter(ClassOfFirstOctet(value)) == addressClass,
                 qPrintable(QByteArray::number(value)));
}

QTEST_APPLESS_MAIN(TestMaskAndCounts)
#include "test_mask_and_counts.moc"
