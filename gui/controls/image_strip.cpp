// SPDX-License-Identifier: MIT
// ImageStrip: cutting, masking, the two strips drawn by hand, and blended drawing.
#include "gui/controls/image_strip.h"

#include <QFont>
#include <QPainter>
#include <QPen>

namespace korvexer::gui {

namespace {

const QColor kMask(255, 0, 255);

// A picture of two images on a ground, with the mask colour around nothing: the grounds are
// part of the images, as the lists show them.
QImage NewPicture(QColor ground) {
    QImage picture(2 * ImageStrip::kImageWidth, ImageStrip::kImageHeight, QImage::Format_RGB32);
    picture.fill(ground);
    return picture;
}

void DrawCaption(QPainter& painter, int image, const QString& text, QColor colour) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QRect(image * ImageStrip::kImageWidth, 0, ImageStrip::kImageWidth,
                           ImageStrip::kImageHeight),
                     Qt::AlignCenter, text);
}

void DrawDisc(QPainter& painter, int image, QColor fill, QColor rim) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(rim, 2));
    painter.setBrush(fill);
    painter.drawEllipse(
        QRectF(image * ImageStrip::kImageWidth + 2.0, 1.5, 12.0, ImageStrip::kImageHeight - 3.0));
}

}  // namespace

ImageStrip ImageStrip::FromPicture(const QImage& picture, QColor maskColour, int imageWidth) {
    ImageStrip strip;
    if (imageWidth <= 0) return strip;
    QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb mask = maskColour.rgb();
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == (mask & 0x00FFFFFFu)) line[x] = qRgba(0, 0, 0, 0);
        }
    }
    for (int left = 0; left + imageWidth <= argb.width(); left += imageWidth)
        strip.m_images.push_back(argb.copy(left, 0, imageWidth, argb.height()));
    return strip;
}

ImageStrip ImageStrip::Letters() {
    QImage picture = NewPicture(QColor(192, 192, 192));
    {
        QPainter painter(&picture);
        DrawCaption(painter, 0, QStringLiteral("ab"), QColor(255, 0, 0));
        DrawCaption(painter, 1, QStringLiteral("12"), QColor(0, 0, 255));
    }
    return FromPicture(picture, kMask, kImageWidth);
}

ImageStrip ImageStrip::Discs() {
    QImage picture = NewPicture(QColor(255, 255, 255));
    {
        QPainter painter(&picture);
        DrawDisc(painter, 0, QColor(0, 0, 255), QColor(255, 0, 0));
        DrawDisc(painter, 1, QColor(255, 0, 0), QColor(0, 0, 255));
    }
    return FromPicture(picture, kMask, kImageWidth);
}

QImage ImageStrip::Image(int index) const {
    if (index < 0 || index >= size()) return {};
    return m_images[static_cast<std::size_t>(index)];
}

void ImageStrip::Draw(QPainter& painter, int index, QPoint at, QColor blendColour) const {
    if (index < 0 || index >= size()) return;
    const QImage& image = m_images[static_cast<std::size_t>(index)];
    if (!blendColour.isValid()) {
        painter.drawImage(at, image);
        return;
    }
    // Mix only where the image has pixels, so transparent parts stay transparent.
    QImage blended = image;
    {
        QPainter mixer(&blended);
        mixer.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        QColor half = blendColour;
        half.setAlpha(128);
        mixer.fillRect(blended.rect(), half);
    }
    painter.drawImage(at, blended);
}

}  // namespace korvexer::gui
