// SPDX-License-Identifier: MIT
// Arithmetic of the step button: the pointer's inner area, caption fitting and placement, focus.
#pragma once

#include <cstdint>

#include <QPoint>
#include <QRect>
#include <QSize>

namespace korvexer::gui::step_geometry {

// Width of the margin in which the pointer leaves the caption red.
inline constexpr int kPointerMargin = 10;
// Room kept free around the caption when its font is fitted.
inline constexpr int kFitInset = 3;
// Height a font without size is fitted from.
inline constexpr int kDefaultFontHeight = 20;

// a * b / c with a 64-bit intermediate, rounded to the nearest integer with halves away from
// zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

// True when `point` lies in the button of `size` shrunk by the pointer margin on every side;
// the inner area's left and top edges count as inside, its right and bottom edges as outside.
bool InInnerArea(QPoint point, QSize size);

// The font height for a caption measured `measured` with a font of `height` (signed, 0 taken as
// the default height) so that it fits `button` less the fit inset on every side, limited by
// whichever of width and height runs out first: the height's magnitude is scaled by the room over
// the measured size (MulDiv) and made one unit smaller; the sign of the height is kept.
int FittedFontHeight(int height, QSize button, QSize measured);

// Top-left corner of a caption of size `caption` centred in `button`, one pixel right and two
// down, halves taken towards zero.
QPoint CaptionOrigin(QSize button, QSize caption);

// The focus frame of a button of `size`, for QPainter::drawRect with a one-pixel pen: one pixel
// in from each edge, outside the room the caption is fitted to.
QRect FocusFrame(QSize button);

}  // namespace korvexer::gui::step_geometry
