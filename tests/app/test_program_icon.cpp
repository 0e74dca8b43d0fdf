#include "program_icon.h"

#include <QImageReader>
#include <QSet>
#include <QTest>

namespace {

const QString kIconsDir = QStringLiteral(TESSNIVAR_ICONS_DIR);

QImage Argb(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Transparent pixels may carry any colour; only what shows is compared.
bool LooksTheSame(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return false;
    }
    const QImage left = Argb(a);
    const QImage right = Argb(b);
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            if (qAlpha(p) != qAlpha(q) || (qAlpha(p) != 0 && (p & 0xffffffu) != (q & 0xffffffu))) {
                return false;
            }
        }
    }
    return true;
}

// Mean column of the opaque pixels in rows [top, bottom), or -1 when there are none.
double InkCentreColumn(const QImage& image, int top, int bottom) {
    double sum = 0;
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                sum += x;
                ++count;
            }
        }
    }
    return count == 0 ? -1 : sum / count;
}

bool TransparentIn(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

class TestProgramIcon : public QObject {
    Q_OBJECT

private slots:
    void iconOffersBothSizes();
    void eachSizeShowsDarkIUpperLeftAndPLowerRight_data();
    void eachSizeShowsDarkIUpperLeftAndPLowerRight();
    void themePicturesMatchTheDrawings_data();
    void themePicturesMatchTheDrawings();
    void windowsIconHoldsBothDrawings();
};

void TestProgramIcon::iconOffersBothSizes() {
    const QList<QSize> sizes = tessnivar::ProgramIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)));
    QVERIFY(sizes.contains(QSize(32, 32)));
}

void TestProgramIcon::eachSizeShowsDarkIUpperLeftAndPLowerRight_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("16 x 16") << 16;
    QTest::newRow("32 x 32") << 32;
}

void TestProgramIcon::eachSizeShowsDarkIUpperLeftAndPLowerRight() {
    QFETCH(int, size);
    const QImage image = Argb(tessnivar::ProgramIcon().pixmap(QSize(size, size)).toImage());
    QCOMPARE(image.size(), QSize(size, size));

    QSet<QRgb> colours;
    int opaque = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = image.pixel(x, y);
            colours.insert(pixel);
            if (qAlpha(pixel) != 0) {
                ++opaque;
                QCOMPARE(qAlpha(pixel), 255);
                QVERIFY2(qGray(pixel) <= 128, "the letters are drawn in black");
            }
        }
    }
    QVERIFY(colours.size() <= 16);
    QVERIFY2(opaque > size * size / 8, "too little ink");
    QVERIFY2(opaque < size * size / 2, "the ground is not transparent");

    const int half = size / 2;
    const int quarter = size / 4;
    QVERIFY2(TransparentIn(image, QRect(size - quarter, 0, quarter, quarter)),
             "ink in the upper right corner");
    QVERIFY2(TransparentIn(image, QRect(0, size - quarter, quarter, quarter)),
             "ink in the lower left corner");
    const double upper = InkCentreColumn(image, 0, half);
    const double lower = InkCentreColumn(image, half, size);
    QVERIFY(upper >= 0 && upper < half);
    QVERIFY(lower >= half);
}

void TestProgramIcon::themePicturesMatchTheDrawings_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("16 x 16") << 16;
    QTest::newRow("32 x 32") << 32;
}

void TestProgramIcon::themePicturesMatchTheDrawings() {
    QFETCH(int, size);
    const QString stem = kIconsDir + QStringLiteral("/tessnivar-%1").arg(size);
    const QImage drawing(stem + QStringLiteral(".xpm"));
    const QImage themed(stem + QStringLiteral(".png"));
    QVERIFY(!drawing.isNull());
    QVERIFY(!themed.isNull());
    QVERIFY2(LooksTheSame(themed, drawing), "run icons/make-icons.sh");
    QVERIFY(LooksTheSame(drawing, tessnivar::ProgramIcon().pixmap(QSize(size, size)).toImage()));
}

void TestProgramIcon::windowsIconHoldsBothDrawings() {
    if (!QImageReader::supportedImageFormats().contains("ico")) {
        QSKIP("this Qt reads no .ico files");
    }
    QImageReader reader(kIconsDir + QStringLiteral("/tessnivar.ico"));
    QList<QImage> frames;
    do {
        frames << reader.read();
    } while (reader.jumpToNextImage());
    QCOMPARE(frames.size(), 2);
    for (const QImage& frame : frames) {
        const QImage drawing(kIconsDir + QStringLiteral("/tessnivar-%1.xpm").arg(frame.width()));
        QVERIFY2(LooksTheSame(frame, drawing), "run icons/make-icons.sh");
    }
}

QTEST_MAIN(TestProgramIcon)
#include "test_program_icon.moc"
