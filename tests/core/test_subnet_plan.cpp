// From the octet texts to a plan: how a text is read, which class an address falls under and which
// octets its network-address rule needs to be zero, how octets are rounded, carried and written,
// and the mask and counts of each prefix length.
#include "mask_and_counts.h"
#include "network_check.h"
#include "numeric.h"
#include "subnet_enumeration.h"

#include <QTest>
#include <cmath>
#include <cstdint>
#include <random>

using namespace tessnivar;

namespace {

// Octets as text, written here without the code under test.
QString Text(const std::array<std::int64_t, 4>& o) {
    return QString("%1.%2.%3.%4").arg(o[0]).arg(o[1]).arg(o[2]).arg(o[3]);
}

// A message's lines as a message box shows them.
QByteArray Joined(const std::vector<std::string>& lines) {
    QByteArrayList texts;
    for (const std::string& line : lines)
        texts << QByteArray::fromStdString(line);
    return texts.join("\r\n");
}

// A class's letter, "-" for none.
char Letter(std::optional<AddressClass> addressClass) {
    return addressClass ? "ABC"[int(*addressClass)] : '-';
}

} // namespace

class TestSubnetPlan : public QObject {
    Q_OBJECT

private slots:
    // Input and value in one text, the value in hexadecimal so that a zero's sign shows.
    void numericValueReadsLeadingNumberOnly() {
        const std::string nines(400, '9');
        const std::pair<std::string, double> cases[] = {
            {"", 0},      {"abc", 0},      {" \t+7", 7},      {"- 3", 0},
            {".5", 0.5},  {"-.25", -0.25}, {"1.5.6", 1.5},    {"1e5", 1},
            {"0.1", 0.1}, {"-0", -0.0},    {nines, INFINITY}, {"-" + nines, -INFINITY}};
        for (const auto& [text, expected] : cases)
            QCOMPARE(QString::asprintf("%.20s -> %a", text.c_str(), NumericValue(text)),
                     QString::asprintf("%.20s -> %a", text.c_str(), expected));
    }

    // Address entry's bounds, 127 and 192, differ from the network check's; above 223 it refuses.
    void addressEntryClassBands() {
        const std::pair<double, char> cases[] = {{-5, 'A'},    {126.9, 'A'}, {127, 'B'},
                                                 {191, 'B'},   {191.5, 'C'}, {223, 'C'},
                                                 {223.5, '-'}, {224, '-'}};
        for (const auto& [value, expected] : cases)
            QCOMPARE(QString::number(value) + Letter(ClassOfFirstOctet(value)),
                     QString::number(value) + expected);
    }

    // Each trailing octet on its own holds something other than 0 (a fraction, a negative value,
    // a value above 255), the others texts worth 0. Under each class's rule only the octets it
    // needs to be zero are looked at; a first octet strictly between 127 and 128 falls under none.
    void eachRuleLooksAtItsOwnTrailingOctetsOnly() {
        const std::tuple<const char*, int, char> bands[] = {
            {"-1", 3, 'A'},  {"127", 3, 'A'},   {"127.5", 0, '-'}, {"128", 2, 'B'},
            {"191", 2, 'B'}, {"191.5", 1, 'C'}, {"224", 1, 'C'},   {"999", 1, 'C'}};
        for (const auto& [first, zeros, rule] : bands) {
            for (int k = 0; k < 4; ++k) {
                for (const char* text : {"0.5", "-1", "256"}) {
                    // k = 0: all trailing octets worth 0.
                    OctetTexts octets{first, "", "-0.0", " 0abc"};
                    if (k > 0)
                        octets[k] = text;
                    const QString address = QString::fromStdString(
                        octets[0] + "|" + octets[1] + "|" + octets[2] + "|" + octets[3] + ": ");
                    QCOMPARE(address + Letter(CheckNetworkAddress(octets)),
                             address + (k >= 4 - zeros ? rule : '-'));
                }
            }
        }
    }

    // Class B's, with line feeds, is the tool's.
    void networkErrorTextShowsOctetsAsTypedWithClassHint() {
        using enum AddressClass;
        const QByteArray lead = "Sorry: This address cannot be subnetted.\r\nThe address ";
        const QByteArray hint =
            " does not represent a network address.\r\nHINT: To be a network address, the last ";
        QCOMPARE(Joined(NetworkErrorLines(ClassC, {"192", "168", "007", "5"})),
                 lead + "192.168.007.5" + hint + "octet MUST be zero.");
        QCOMPARE(Joined(NetworkErrorLines(ClassA, {" 10", "", "1.50", ""})),
                 lead + " 10..1.50." + hint +
                     "three octets MUST be zero\r\nsince this is a Class A address.");
    }

    // Each octet rounds to the nearest 32-bit integer, halves to even; the first octet that
    // does not fit is named, even with another bad one after it.
    void loadRoundsOctetsAndNamesTheFirstThatDoesNotFit() {
        const std::string huge(400, '9');
        const AddressLoad load =
            LoadWorkingAddress({"2147483647.4", "-2147483648.5", "2.5", "-3.5"});
        QCOMPARE(QByteArray::fromStdString(DottedQuad(load.address)),
                 "2147483647.-2147483648.2.-4");
        QCOMPARE(LoadWorkingAddress({"0.5", "0", "2147483647.5", "-" + huge}).badOctet, 2);
        QCOMPARE(LoadWorkingAddress({"-2147483648.6", huge, "0", "0"}).badOctet, 0);
        QCOMPARE(LoadWorkingAddress({"10", huge, "0", "0"}).badOctet, 1);
        QCOMPARE(Joined(OctetRangeErrorLines(" 99999999999")),
                 QByteArray("Sorry: This address cannot be subnetted.\r\n"
                            "The octet  99999999999 is out of range."));
    }

    // One block of 256 at a time, from the fourth octet forward; a negative octet stays.
    void carryMatchesLiteralLoops() {
        std::mt19937 random(7);
        std::uniform_int_distribution<std::int64_t> octet(-600, 1200);
        for (int trial = 0; trial < 20000; ++trial) {
            WorkingAddress address{{octet(random), octet(random), octet(random), octet(random)}};
            auto expected = address.octet;
            for (int i = 3; i > 0; --i)
                for (; expected[i] > 255; expected[i] -= 256)
                    ++expected[i - 1];
            const QString before = Text(address.octet);
            CarryOctets(address);
            QCOMPARE(before + " -> " + Text(address.octet), before + " -> " + Text(expected));
        }
    }

    // Every value of 0 to 255 and values beyond, in each place, beside octets of other lengths.
    void dottedQuadWritesEveryOctetInPlainDecimal() {
        for (std::int64_t v = -300; v <= 1100; ++v) {
            using Octets = std::array<std::int64_t, 4>;
            for (const Octets& octets :
                 {Octets{v, 1, v, 10}, Octets{INT64_MIN, v, 100, v}, Octets{v, v, v, INT64_MAX}})
                QCOMPARE(QString::fromStdString(DottedQuad({octets})), Text(octets));
        }
    }

    // Beyond 30 bits the counts stand but the mask is an internal error.
    void maskAndCountsFollowPrefixLength() {
        for (const int classBits : {8, 16, 24}) {
            for (int bits = 0; classBits + bits <= 31; ++bits) {
                const int p = classBits + bits;
                const std::uint32_t m = ~std::uint32_t{0} << (32 - p);
                const auto r = ComputeMaskAndCounts(std::int16_t(classBits), std::int16_t(bits));
                QCOMPARE(QString::asprintf("/%d+%d: %s%s, %d x %d", classBits, bits,
                                           r.maskText.c_str(), r.prefixTooLong ? "RC-01" : "",
                                           r.subnetCount, r.hostsPerSubnet),
                         QString::asprintf("/%d+%d: %s, %d x %d", classBits, bits,
                                           p > 30 ? "RC-01"
                                                  : qPrintable(Text({m >> 24, m >> 16 & 255,
                                                                     m >> 8 & 255, m & 255})),
                                           1 << bits, 1 << (32 - p)));
            }
        }
        QCOMPARE(Joined(PrefixTooLongErrorLines()),
                 QByteArray("There has been an error.\r\nError Code: RC-01"));
    }
};

QTEST_APPLESS_MAIN(TestSubnetPlan)
#include "test_subnet_plan.moc"
