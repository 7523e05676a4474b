// SPDX-License-Identifier: MIT
// Font heights as signed numbers: negative for a character height, positive for a cell height.
#pragma once

#include <QFont>

namespace korvexer::gui::font_height {

// The height of `font` as a negative character height in pixels, or 0 when it has no size.
int Of(const QFont& font);

// `font` sized by a signed height: a negative height is the character height in pixels, a
// positive one the height of the whole text cell (ascent plus descent); 0 leaves the size alone.
QFont Sized(QFont font, int height);

// The font the dialogs use: 宋体 at 12 pixels (9 points), or an installed CJK face where 宋体 is
// missing.
QFont DialogFont();

}  // namespace korvexer::gui::font_height
