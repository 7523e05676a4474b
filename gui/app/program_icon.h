// SPDX-License-Identifier: MIT
// The program's icon, rendered at any size from its one drawing (gui/resources/korvexer.svg).
#pragma once

#include <QIcon>
#include <QPixmap>

namespace korvexer::gui {

// The icon at `size` by `size` pixels: a blue tile with rounded corners, a white "K" and an
// orange arrow bending back into the tile (code that is turned round and can be turned back).
QPixmap ProgramPixmap(int size);

// The window icon: the picture at 16, 24, 32, 48, 64, 128 and 256 pixels.
QIcon ProgramIcon();

}  // namespace korvexer::gui
