// SPDX-License-Identifier: MIT
// Tests of ImageStrip: cutting and masking a picture, the two drawn strips, blended drawing.
#include <QPainter>
#include <QtTest>

#include "gui/controls/image_strip.h"

using korvexer::gui::ImageStrip;

namespace {

const QColor kMask(255, 0, 255);

int Count(const QImage& image, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb() &&
                image.pixelColor(x, y).alpha() == 255)
                ++count;
    return count;
}

// The colour at the centre of a disc image and at a point of its rim.
QColor Centre(const QImage& image) {
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

}  // namespace

class ImageStripTest : public QObject {
    Q_OBJECT
private slots:
    void maskColourBecomesTransparent();
    void pictureIsCutIntoWholeImages();
    void lettersStrip();
    void discsStrip();
    void blendMixesOnlyVisiblePixels();
    void missingImageDrawsNothing();
};

void ImageStripTest::maskColourBecomesTransparent() {
    QImage picture(32, 15, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixelColor(3, 4, kMask);
    picture.setPixelColor(20, 7, kMask);
    picture.setPixelColor(21, 7, QColor(255, 0, 254));  // close to the mask, but not it
    const ImageStrip strip = ImageStrip::FromPicture(picture, kMask, 16);
    QCOMPARE(strip.size(), 2);
    QCOMPARE(strip.Image(0).pixelColor(3, 4).alpha(), 0);
    QCOMPARE(strip.Image(0).pixelColor(4, 4).alpha(), 255);
    QCOMPARE(strip.Image(1).pixelColor(4, 7).alpha(), 0);
    QCOMPARE(strip.Image(1).pixelColor(5, 7), QColor(255, 0, 254));
}

void ImageStripTest::pictureIsCutIntoWholeImages() {
    QImage picture(40, 15, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < 15; ++y) picture.setPixelColor(16, y, Qt::black);
    const ImageStrip strip = ImageStrip::FromPicture(picture, kMask, 16);
    QCOMPARE(strip.size(), 2);  // the last 8 pixels make no image
    QCOMPARE(strip.Image(1).size(), QSize(16, 15));
    QCOMPARE(strip.Image(1).pixelColor(0, 5), QColor(Qt::black));
    QCOMPARE(Count(strip.Image(0), Qt::black), 0);
    QCOMPARE(ImageStrip::FromPicture(picture, kMask, 0).size(), 0);
    QVERIFY(strip.Image(2).isNull());
    QVERIFY(strip.Image(-1).isNull());
}

void ImageStripTest::lettersStrip() {
    const ImageStrip strip = ImageStrip::Letters();
    QCOMPARE(strip.size(), 2);
    const QImage letters = strip.Image(0);
    const QImage digits = strip.Image(1);
    QCOMPARE(letters.size(), QSize(16, 15));
    const QColor silver(192, 192, 192);
    // Silver ground with red letters, then blue digits.
    QCOMPARE(letters.pixelColor(0, 0), silver);
    QCOMPARE(digits.pixelColor(15, 14), silver);
    QVERIFY(Count(letters, QColor(255, 0, 0)) > 10);
    QCOMPARE(Count(letters, QColor(0, 0, 255)), 0);
    QVERIFY(Count(digits, QColor(0, 0, 255)) > 10);
    QCOMPARE(Count(digits, QColor(255, 0, 0)), 0);
}

void ImageStripTest::discsStrip() {
    const ImageStrip strip = ImageStrip::Discs();
    QCOMPARE(strip.size(), 2);
    const QImage blueDisc = strip.Image(0);
    const QImage redDisc = strip.Image(1);
    QCOMPARE(blueDisc.pixelColor(0, 0), QColor(Qt::white));
    QCOMPARE(Centre(blueDisc), QColor(0, 0, 255));
    QCOMPARE(Centre(redDisc), QColor(255, 0, 0));
    // Rims in the other colour: the disc's edge on the middle line.
    QCOMPARE(blueDisc.pixelColor(2, 7).red(), 255);
    QCOMPARE(redDisc.pixelColor(2, 7).blue(), 255);
}

void ImageStripTest::blendMixesOnlyVisiblePixels() {
    QImage picture(16, 15, QImage::Format_RGB32);
    picture.fill(QColor(255, 255, 255));
    picture.setPixelColor(0, 0, kMask);
    const ImageStrip strip = ImageStrip::FromPicture(picture, kMask, 16);
    QImage canvas(16, 15, QImage::Format_RGB32);
    canvas.fill(QColor(0, 0, 0));
    {
        QPainter painter(&canvas);
        strip.Draw(painter, 0, QPoint(0, 0), QColor(0, 0, 255));
    }
    // White half and half with blue; the masked corner still shows the ground.
    const QColor mixed = canvas.pixelColor(5, 5);
    QVERIFY(qAbs(mixed.red() - 127) <= 2);
    QVERIFY(qAbs(mixed.green() - 127) <= 2);
    QCOMPARE(mixed.blue(), 255);
    QCOMPARE(canvas.pixelColor(0, 0), QColor(0, 0, 0));

    canvas.fill(QColor(0, 0, 0));
    {
        QPainter painter(&canvas);
        strip.Draw(painter, 0, QPoint(0, 0));
    }
    QCOMPARE(canvas.pixelColor(5, 5), QColor(255, 255, 255));
    QCOMPARE(canvas.pixelColor(0, 0), QColor(0, 0, 0));
}

void ImageStripTest::missingImageDrawsNothing() {
    QImage canvas(16, 15, QImage::Format_RGB32);
    canvas.fill(QColor(1, 2, 3));
    const QImage before = canvas;
    {
        QPainter painter(&canvas);
        ImageStrip::Letters().Draw(painter, 2, QPoint(0, 0));
        ImageStrip::Letters().Draw(painter, -1, QPoint(0, 0), QColor(0, 0, 255));
    }
    QCOMPARE(canvas, before);
}

QTEST_MAIN(ImageStripTest)
#include "image_strip_test.moc"
