// SPDX-License-Identifier: MIT
// Step button arithmetic, free of widgets so tests can call it directly.
#include "gui/controls/step_button_geometry.h"

namespace korvexer::gui::step_geometry {

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
    return static_cast<int>(negative ? -rounded : rounded);
}

bool InInnerArea(QPoint point, QSize size) {
    return point.x() >= kPointerMargin && point.x() < size.width() - kPointerMargin &&
           point.y() >= kPointerMargin && point.y() < size.height() - kPointerMargin;
}

int FittedFontHeight(int height, QSize button, QSize measured) {
    if (height == 0) height = kDefaultFontHeight;
    const std::int64_t width = button.width() - 2 * kFitInset;
    const std::int64_t tall = button.height() - 2 * kFitInset;
    // Scale the magnitude and take one unit off it, so the caption ends up inside the room for
    // either sign of height (taking 1 off a negative height would make the font larger).
    const int magnitude = height < 0 ? -height : height;
    const int sign = height < 0 ? -1 : 1;
    // Compare the aspect ratios without dividing: the tighter side decides.
    if (width * measured.height() > tall * measured.width())
        return sign * (MulDiv(magnitude, static_cast<int>(tall), measured.height()) - 1);
    return sign * (MulDiv(magnitude, static_cast<int>(width), measured.width()) - 1);
}

QPoint CaptionOrigin(QSize button, QSize caption) {
    return QPoint((button.width() - caption.width()) / 2 + 1,
                  (button.height() - caption.height()) / 2 + 2);
}

QRect FocusFrame(QSize button) {
    return QRect(1, 1, button.width() - 3, button.height() - 3);
}

}  // namespace korvexer::gui::step_geometry
