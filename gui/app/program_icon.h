// SPDX-License-Identifier: MIT
// The program's icon, drawn by code at any size.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace korvexer::gui {

// The icon at `size` by `size` pixels: a blue tile with rounded corners, a white "K" and an
// orange arrow bending back into the tile (code that is turned round and can be turned back).
QPixmap ProgramPixmap(int size);

// The window icon: the picture at 16, 24, 32, 48 and 64 pixels.
QIcon ProgramIcon();

}  // namespace korvexer::gui
