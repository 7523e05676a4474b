// SPDX-License-Identifier: MIT
// CStepButton: a push button showing only its caption, embossed, fitted and pointer-coloured.
#pragma once

#include <QColor>
#include <QPushButton>

namespace korvexer::gui {

// The caption is drawn in five layers of palette colours (shadow, light, dark, midlight, then
// the caption colour), as large as the button allows, sunken while the button is down. The
// caption turns blue while the pointer moves more than 10 pixels inside the button and red in
// that margin; it keeps its colour when the pointer leaves.
class CStepButton : public QPushButton {
    Q_OBJECT
public:
    explicit CStepButton(const QString& text = QString(), QWidget* parent = nullptr);

    QColor CaptionColour() const { return m_captionColour; }
    // The font the caption is drawn with at the button's present size.
    QFont CaptionFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // The button's font with the heights and weight the caption is measured with first.
    QFont BaseFont() const;

    QColor m_captionColour{255, 0, 0};
};

}  // namespace korvexer::gui
