#include "program_icon.h"

#include <QTest>
#include <algorithm>

namespace {

bool Dark(QRgb pixel) {
    return qAlpha(pixel) >= 128 && qGray(pixel) < 96;
}

// How many pixels of image within [x0, x1) x [y0, y1) satisfy test.
template <typename Test> int Count(const QImage& image, int x0, int y0, int x1, int y1, Test test) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

} // namespace

class TestProgramIcon : public QObject {
    Q_OBJECT

private slots:
    void iconHoldsBothSizes();
    void pictureShowsIUpperLeftAndPLowerRightOnTransparentGround_data();
    void pictureShowsIUpperLeftAndPLowerRightOnTransparentGround();
};

void TestProgramIcon::iconHoldsBothSizes() {
    QList<QSize> sizes = tessnivar::ProgramIcon().availableSizes();
    std::sort(sizes.begin(), sizes.end(),
              [](QSize a, QSize b) { return a.width() * a.height() < b.width() * b.height(); });
    QCOMPARE(sizes, (QList<QSize>{{16, 16}, {32, 32}}));
}

void TestProgramIcon::pictureShowsIUpperLeftAndPLowerRightOnTransparentGround_data() {
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<int>("size");
    const QIcon icon = tessnivar::ProgramIcon();
    QTest::newRow("icon, 16 x 16") << icon.pixmap(QSize(16, 16)).toImage() << 16;
    QTest::newRow("icon, 32 x 32") << icon.pixmap(QSize(32, 32)).toImage() << 32;
    QTest::newRow("About picture") << tessnivar::ProgramIconPicture().toImage() << 32;
}

void TestProgramIcon::pictureShowsIUpperLeftAndPLowerRightOnTransparentGround() {
    QFETCH(QImage, picture);
    QFETCH(int, size);
    QCOMPARE(picture.size(), QSize(size, size));
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const auto transparent = [](QRgb pixel) {
        return qAlpha(pixel) == 0;
    };
    const int half = size / 2;

    // Most of the picture is ground, and the ground shows through.
    QCOMPARE_GT(Count(image, 0, 0, size, size, transparent), size * size / 2);
    // The letters stand in the upper left and lower right quarters, each with a good share of
    // dark pixels.
    QCOMPARE_GE(Count(image, 0, 0, half, half, Dark), size);
    QCOMPARE_GE(Count(image, half, half, size, size, Dark), size);
    // The opposite corners, squares of three eighths of the side, are bare ground.
    const int corner = size * 3 / 8;
    QCOMPARE(Count(image, size - corner, 0, size, corner, transparent), corner * corner);
    QCOMPARE(Count(image, 0, size - corner, corner, size, transparent), corner * corner);
}

QTEST_MAIN(TestProgramIcon)
#include "test_program_icon.moc"
