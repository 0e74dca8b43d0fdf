#include "report_content.h"
#include "report_files.h"

#include <QTest>
#include <array>
#include <string>
#include <utility>

using namespace tessnivar;

namespace {

ReportFields Fields(std::string subnets, std::string hosts) {
    return {{"192", "168", "1", "0"}, "255.255.255.192", "2", std::move(subnets), std::move(hosts)};
}

std::string Cell(int before, const std::string& text, int behind) {
    return std::string(before, ' ') + text + std::string(behind, ' ');
}

SubnetRow Row(std::int32_t number, WorkingAddress start, WorkingAddress end) {
    return {number, start, end};
}

} // namespace

class TestReportContent : public QObject {
    Q_OBJECT

private slots:
    void percentagesFollowTheCounts_data() {
        QTest::addColumn<QString>("subnets");
        QTest::addColumn<QString>("hosts");
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("wasted");
        const std::array<std::array<const char*, 5>, 11> rows = {{
            {"C 2 bits", "4", "64", "48.44", "51.56"},
            {"C 4 bits", "16", "16", "76.56", "23.44"},
            {"B 2 bits", "4", "16384", "49.99", "50.01"},
            {"A 2 bits", "4", "4194304", "50.", "50."},
            {"A 4 bits", "16", "1048576", "87.5", "12.5"},
            {"A 8 bits", "256", "65536", "99.22", ".78"},
            {"A 9 bits", "512", "32768", "99.6", ".4"},
            {"A 12 bits", "4096", "4096", "99.9", ".1"},
            {"C unsubnetted", "1", "256", "99.22", ".78"},
            {"B unsubnetted", "1", "65536", "100.", "."},
            {"typed hosts", "4", "1000", "49.9", "50.1"},
        }};
        for (const auto& [name, subnets, hosts, used, wasted] : rows)
            QTest::newRow(name) << QString(subnets) << QString(hosts) << QString(used)
                                << QString(wasted);
    }
    void percentagesFollowTheCounts() {
        QFETCH(QString, subnets);
        QFETCH(QString, hosts);
        QFETCH(QString, used);
        QFETCH(QString, wasted);
        const auto figures =
            ComputeReportFigures(Fields(subnets.toStdString(), hosts.toStdString()));
        QVERIFY(figures);
        QCOMPARE(QString::fromStdString(PercentText(figures->usedPercent)), used);
        QCOMPARE(QString::fromStdString(PercentText(figures->wastedPercent)), wasted);
    }

    void percentsAreSinglePrecision() {
        const auto figures = ComputeReportFigures(Fields("4", "64"));
        QVERIFY(figures);
        QCOMPARE(figures->usedFraction, 0.484375f);
        QCOMPARE(figures->usedPercent, 48.44f);
        QCOMPARE(figures->wastedPercent, 51.56f);
    }

    void countsThatGiveNoFractionAreRefused() {
        const std::pair<QString, QString> counts[] = {
            {"0", "64"},
            {"4", "0"},
            {"4", ""},
            {"many", "64"},
            {QString(400, '9'), "64"},              // an infinite count
            {QString(200, '9'), QString(200, '9')}, // a product beyond double
            {"0." + QString(300, '0') + "1", "4"},  // a fraction beyond single
        };
        for (const auto& [subnets, hosts] : counts)
            QVERIFY2(!ComputeReportFigures(Fields(subnets.toStdString(), hosts.toStdString())),
                     qPrintable(subnets.left(20) + " / " + hosts.left(20)));
    }

    void percentPicture_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("two decimals") << 48.44f << "48.44";
        QTest::newRow("whole") << 50.0f << "50.";
        QTest::newRow("below one") << 0.78f << ".78";
        QTest::newRow("a tenth") << 0.1f << ".1";
        QTest::newRow("leading zero decimal") << 3.05f << "3.05";
        QTest::newRow("zero") << 0.0f << ".";
        QTest::newRow("negative") << -100.0f << "-100.";
        QTest::newRow("half up") << 0.005f << ".01";
        QTest::newRow("half away from zero") << -0.005f << "-.01";
        QTest::newRow("half of a larger value") << 12.345f << "12.35";
        QTest::newRow("below half") << 0.0049f << ".";
        QTest::newRow("negative to zero") << -0.001f << ".";
        QTest::newRow("carry") << 99.995f << "100.";
    }
    void percentPicture() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(PercentText(value)), text);
    }

    void numberText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 14.0 << "14";
        QTest::newRow("negative") << -1.0 << "-1";
        QTest::newRow("largest total") << 16777216.0 << "16777216";
        QTest::newRow("fraction") << 62.5 << "62.5";
        QTest::newRow("below one") << 0.5 << "0.5";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("15 digits") << 123456789012345.0 << "123456789012345";
        QTest::newRow("16 digits") << 1234567890123456.0 << "1.23456789012346E+15";
        QTest::newRow("large") << 1e20 << "1E+20";
        QTest::newRow("small plain") << 0.0001 << "0.0001";
        QTest::newRow("small") << 0.00001 << "1E-05";
        QTest::newRow("rounded to 15 digits") << 0.1 + 0.2 << "0.3";
    }
    void numberText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(NumberText(value)), text);
    }

    void centerInColumn_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("behind");
        QTest::newRow("Subnet Number") << "Subnet Number" << 3 << 4;
        QTest::newRow("Start IP") << "Start IP" << 6 << 6;
        QTest::newRow("End IP") << "End IP" << 7 << 7;
        QTest::newRow("one digit") << "0" << 9 << 10;
        QTest::newRow("odd length") << "192.168.1.0" << 4 << 5;
        QTest::newRow("even length") << "192.168.1.63" << 4 << 4;
        QTest::newRow("longest quad") << "255.255.255.255" << 2 << 3;
        QTest::newRow("empty") << "" << 10 << 10;
        QTest::newRow("20 characters") << QString(20, 'x') << 0 << 0;
        QTest::newRow("21 characters") << QString(21, 'x') << 0 << 0;
        QTest::newRow("25 characters") << QString(25, 'x') << 0 << 0;
        QTest::newRow("non-ASCII counts characters") << QString::fromUtf8("Übersicht") << 5 << 6;
    }
    void centerInColumn() {
        QFETCH(QString, text);
        QFETCH(int, before);
        QFETCH(int, behind);
        const std::string utf8 = text.toStdString();
        QCOMPARE(CenterInColumn(utf8), Cell(before, utf8, behind));
    }

    void makeSpacesGivesNoneForZeroOrLess() {
        QCOMPARE(MakeSpaces(3), std::string("   "));
        QCOMPARE(MakeSpaces(0), std::string());
        QCOMPARE(MakeSpaces(-5), std::string());
    }

    void summaryFollowsTheTypedTexts() {
        ReportFields fields = Fields("4", "1000");
        fields.octets = {"192", "168", "01", "0"};
        const auto lines = OpeningLines(fields, *ComputeReportFigures(fields));
        QCOMPARE(lines[6], std::string("Assigned IP: 192.168.01.0"));
        QCOMPARE(lines[10], std::string("Number of Hosts per Subnet: 1000 (998 usable)"));
        QCOMPARE(lines[11], std::string("Total Number of Hosts: 4000 (1996 usable)"));
        QCOMPARE(lines[12], std::string("Total Percent of Addresses: 49.9%"));
        QCOMPARE(lines[13], std::string("Percent of Wasted Addresses: 50.1%"));
    }

    void unsubnettedNetworkIsOneUsableNetwork() {
        const ReportFields fields{{"192", "168", "0", "0"}, "255.255.255.0", "0", "1", "256"};
        const auto lines = OpeningLines(fields, *ComputeReportFigures(fields));
        QCOMPARE(lines[9], std::string("Number of Subnets: 1 (1 usable)"));
        QCOMPARE(lines[10], std::string("Number of Hosts per Subnet: 256 (254 usable)"));
        QCOMPARE(lines[11], std::string("Total Number of Hosts: 256 (254 usable)"));
        QCOMPARE(lines[12], std::string("Total Percent of Addresses: 99.22%"));
        QCOMPARE(lines[13], std::string("Percent of Wasted Addresses: .78%"));
    }

    void wideRowsAreNotCut() {
        const SubnetRow row = Row(-7, {{-1, 300, 0, 0}}, {{12345678901, 0, 0, 12345678}});
        char buffer[kMaxColumnRowChars];
        QCOMPARE(std::string(buffer, WriteColumnRow(buffer, row, false)),
                 Cell(9, "-7", 9) + Cell(5, "-1.300.0.0", 5) + "12345678901.0.0.12345678");
        QCOMPARE(std::string(buffer, WriteCsvRow(buffer, row, true)),
                 std::string("-7,-1.300.0.0,12345678901.0.0.12345678,UNUSABLE"));
    }

    void csvNameGetsTheExtensionUnlessItEndsInExactlyCsv() {
        const std::pair<const char*, const char*> names[] = {
            {"plan", "plan.csv"},         {"plan.csv", "plan.csv"}, {"plan.CSV", "plan.CSV.csv"},
            {"plan.txt", "plan.txt.csv"}, {"csv", "csv.csv"},       {".csv", ".csv"},
        };
        for (const auto& [chosen, written] : names)
            QCOMPARE(CsvFileName(chosen), QString(written));
    }
};

QTEST_APPLESS_MAIN(TestReportContent)
#include "test_report_content.moc"
