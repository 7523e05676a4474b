// SPDX-License-Identifier: MIT
// CStepButton: caption fitting, the five drawing layers and the pointer colour.
#include "gui/controls/step_button.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include "gui/controls/font_height.h"
#include "gui/controls/step_button_geometry.h"

namespace korvexer::gui {

namespace {

QSize Measure(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

}  // namespace

CStepButton::CStepButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setMouseTracking(true);
}

QFont CStepButton::BaseFont() const {
    QFont base = font();
    const int height = font_height::Of(base);
    base = font_height::Sized(base, height == 0 ? step_geometry::kDefaultFontHeight : height);
    // The heaviest weight the font system knows.
    base.setWeight(QFont::Black);
    // Solid glyphs keep the five layers apart, as embossed text needs.
    base.setStyleStrategy(QFont::NoAntialias);
    return base;
}

QFont CStepButton::CaptionFont() const {
    const QFont base = BaseFont();
    const int height = font_height::Of(base);
    const QSize measured = Measure(base, text());
    if (measured.width() <= 0 || measured.height() <= 0) return base;
    const int fitted = step_geometry::FittedFontHeight(height, size(), measured);
    return font_height::Sized(base, fitted);
}

void CStepButton::paintEvent(QPaintEvent* /*event*/) {
    const QString caption = text();
    if (caption.isEmpty()) return;
    QPainter painter(this);
    const QFont font = CaptionFont();
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const QSize measured(metrics.horizontalAdvance(caption), metrics.height());
    const QPoint origin = step_geometry::CaptionOrigin(size(), measured);
    const int x = origin.x();
    const int y = origin.y() + metrics.ascent();  // drawText places the baseline
    const int d = isDown() ? -1 : 1;

    // The active colours serve a disabled button too: it looks like an enabled one.
    const QPalette& colours = palette();
    const auto layer = [&](QPalette::ColorRole role, std::initializer_list<QPoint> offsets) {
        painter.setPen(colours.color(QPalette::Active, role));
        for (const QPoint& offset : offsets)
            painter.drawText(x + offset.x(), y + offset.y(), caption);
    };
    layer(QPalette::Shadow, {QPoint(2 * d, 2 * d)});
    layer(QPalette::Light, {QPoint(d, -2 * d), QPoint(-2 * d, d), QPoint(-2 * d, -2 * d)});
    layer(QPalette::Dark, {QPoint(-d, d), QPoint(d, -d), QPoint(d, d)});
    layer(QPalette::Midlight, {QPoint(0, -d), QPoint(-d, 0), QPoint(-d, -d)});
    painter.setPen(m_captionColour);
    painter.drawText(x, y, caption);

    // A button reached with Tab must show that Enter or Space now presses it.
    if (hasFocus()) {
        painter.setPen(QPen(colours.color(QPalette::Active, QPalette::WindowText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(step_geometry::FocusFrame(size()));
    }
}

void CStepButton::mouseMoveEvent(QMouseEvent* event) {
    const QColor colour = step_geometry::InInnerArea(event->position().toPoint(), size())
                              ? QColor(0, 0, 255)
                              : QColor(255, 0, 0);
    if (colour != m_captionColour) {
        m_captionColour = colour;
        repaint();
    }
    QPushButton::mouseMoveEvent(event);
}

}  // namespace korvexer::gui
