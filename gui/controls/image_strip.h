// SPDX-License-Identifier: MIT
// ImageStrip: a row of equally wide small images cut from one picture with a mask colour.
#pragma once

#include <vector>

#include <QColor>
#include <QImage>
#include <QPoint>

class QPainter;

namespace korvexer::gui {

class ImageStrip {
public:
    static constexpr int kImageWidth = 16;
    static constexpr int kImageHeight = 15;

    ImageStrip() = default;

    // Cuts `picture` into images `imageWidth` pixels wide; pixels of `maskColour` become
    // transparent. A last part narrower than imageWidth is dropped.
    static ImageStrip FromPicture(const QImage& picture, QColor maskColour, int imageWidth);

    // The strip of the constant lists: silver ground, image 0 "ab" in red, image 1 "12" in blue.
    static ImageStrip Letters();
    // The strip of the call lists: white ground, image 0 a blue disc with a red rim, image 1 a
    // red disc with a blue rim.
    static ImageStrip Discs();

    int size() const { return static_cast<int>(m_images.size()); }
    // Image `index`; a null image when there is no such image.
    QImage Image(int index) const;

    // Draws image `index` with its top-left corner at `at`; when `blendColour` is valid the
    // image's visible pixels are mixed half and half with it. Nothing is drawn for an index
    // that does not exist.
    void Draw(QPainter& painter, int index, QPoint at, QColor blendColour = QColor()) const;

private:
    std::vector<QImage> m_images;
};

}  // namespace korvexer::gui
