#include "program_icon.h"

#include <QTest>

class TestProgramIcon : public QObject {
    Q_OBJECT

private slots:
    void iconLoadsEachSizeFromItsBuiltInDrawing_data();
    void iconLoadsEachSizeFromItsBuiltInDrawing();
};

void TestProgramIcon::iconLoadsEachSizeFromItsBuiltInDrawing_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("16 x 16") << 16;
    QTest::newRow("32 x 32") << 32;
}

void TestProgramIcon::iconLoadsEachSizeFromItsBuiltInDrawing() {
    QFETCH(int, size);
    // Premultiplied, so transparent pixels compare equal whatever colour they carry.
    const auto format = QImage::Format_ARGB32_Premultiplied;
    const QImage drawing =
        QImage(QStringLiteral(":/icons/tessnivar-%1.xpm").arg(size)).convertToFormat(format);
    QCOMPARE(drawing.size(), QSize(size, size));
    QCOMPARE(tessnivar::ProgramIcon().pixmap(QSize(size, size)).toImage().convertToFormat(format),
             drawing);
    int ink = 0;
    for (int i = 0; i < size * size; ++i)
        ink += qAlpha(drawing.pixel(i % size, i / size)) != 0 ? 1 : 0;
    QVERIFY2(ink > 0, "the drawing is fully transparent");
}

QTEST_MAIN(TestProgramIcon)
#include "test_program_icon.moc"
