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
    // Compare the aspect ratios without dividing: the tighter side decides.
    if (width * measured.height() > tall * measured.width())
        return MulDiv(height, static_cast<int>(tall), measured.height()) - 1;
    return MulDiv(height, static_cast<int>(width), measured.width()) - 1;
}

QPoint CaptionOrigin(QSize button, QSize caption) {
    return QPoint((button.width() - caption.width()) / 2 + 1,
                  (button.height() - caption.height()) / 2 + 2);
}

}  // namespace korvexer::gui::step_geometry
