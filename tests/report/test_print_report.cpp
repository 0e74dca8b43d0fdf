#include "print_report.h"
#include "recording_printer.h"
#include "report_printer.h"
#include "subnet_enumeration.h"
#include "subnet_row_store.h"

#include <QRegularExpression>
#include <QStringList>
#include <QTest>

using namespace tessnivar;

namespace {

SubnetRowStore MakeStore(WorkingAddress start, std::int32_t hosts, std::int32_t subnets) {
    SubnetRowStore store;
    EnumerateSubnets(start, hosts, subnets, [&store](const SubnetRow& row) { store.append(row); });
    return store;
}

const ReportFields kExampleFields{{"192", "168", "1", "0"}, "255.255.255.192", "2", "4", "64"};

} // namespace

class TestPrintReport : public QObject {
    Q_OBJECT

private slots:
    void fontsAndLinesInOrder() {
        RecordingPrinter printer;
        QCOMPARE(PrintReport(printer, kExampleFields, *ComputeReportFigures(kExampleFields),
                             MakeStore({{192, 168, 1, 0}}, 64, 4)),
                 PrintResult::Printed);
        const QStringList expected = {
            "bold on",
            "size 24",
            "line Tessnivar v 1.0 -- by Brolwick",
            "size 12",
            "italic on",
            "line ",
            "line REMINDER: The first and last IP address in each subnet is unusable.",
            "line The first is the network address.  The last is the broadcast address.",
            "line This is not reflected in this output.",
            "line ",
            "italic off",
            "bold off",
            "line Assigned IP: 192.168.1.0",
            "line Subnet Mask: 255.255.255.192",
            "line Bits Borrowed: 2",
            "line Number of Subnets: 4 (2 usable)",
            "line Number of Hosts per Subnet: 64 (62 usable)",
            "line Total Number of Hosts: 256 (124 usable)",
            "line Total Percent of Addresses: 48.44%",
            "line Percent of Wasted Addresses: 51.56%",
            "line ",
            "line    Subnet Number          Start IP             End IP       ",
            "line          0              192.168.1.0         192.168.1.63          UNUSABLE      ",
            "line          1              192.168.1.64       192.168.1.127    ",
            "line          2             192.168.1.128       192.168.1.191    ",
            "line          3             192.168.1.192       192.168.1.255          UNUSABLE      ",
            "end",
        };
        QCOMPARE(printer.calls, expected);
    }

    void failedLineAbandonsTheJob() {
        RecordingPrinter printer;
        printer.failAtLine = 17;
        QCOMPARE(PrintReport(printer, kExampleFields, *ComputeReportFigures(kExampleFields),
                             MakeStore({{192, 168, 1, 0}}, 64, 4)),
                 PrintResult::PrinterFailed);
        QCOMPARE(printer.calls.filter(QRegularExpression("^line ")).size(), 17);
        QCOMPARE(printer.calls.last(), QString("abandon"));
        QVERIFY(!printer.calls.contains("end"));
    }

    void failedEndAbandonsTheJob() {
        RecordingPrinter printer;
        printer.failEnd = true;
        QCOMPARE(PrintReport(printer, kExampleFields, *ComputeReportFigures(kExampleFields),
                             MakeStore({{192, 168, 1, 0}}, 64, 4)),
                 PrintResult::PrinterFailed);
        QCOMPARE(printer.calls.mid(printer.calls.size() - 2), (QStringList{"end", "abandon"}));
    }
};

QTEST_APPLESS_MAIN(TestPrintReport)
#include "test_print_report.moc"
