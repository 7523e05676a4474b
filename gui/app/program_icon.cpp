// SPDX-License-Identifier: MIT
// The program's icon: the drawing that is also installed as the desktop's icon, rendered here
// without the SVG icon plugin, so that nothing depends on a plugin being installed.
#include "gui/app/program_icon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace korvexer::gui {

QPixmap ProgramPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer drawing(QStringLiteral(":/korvexer/korvexer.svg"));
    QPainter painter(&pixmap);
    drawing.render(&painter);
    return pixmap;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(ProgramPixmap(size));
    return icon;
}

}  // namespace korvexer::gui
