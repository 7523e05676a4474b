// SPDX-License-Identifier: MIT
// The program's icon: a tile, a letter and an arrow, painted with QPainter.
#include "gui/app/program_icon.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace korvexer::gui {

QPixmap ProgramPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;

    const QRectF tile(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
    QLinearGradient ground(tile.topLeft(), tile.bottomRight());
    ground.setColorAt(0.0, QColor(70, 130, 220));
    ground.setColorAt(1.0, QColor(20, 50, 140));
    painter.setPen(QPen(QColor(10, 30, 90), qMax<qreal>(1.0, s / 32.0)));
    painter.setBrush(ground);
    painter.drawRoundedRect(tile, s * 0.18, s * 0.18);

    QFont letter(QStringLiteral("DejaVu Sans"));
    letter.setBold(true);
    letter.setPixelSize(qMax(6, static_cast<int>(s * 0.62)));
    painter.setFont(letter);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(tile.left(), tile.top() - s * 0.04, tile.width() * 0.8, tile.height()),
                     Qt::AlignCenter, QStringLiteral("K"));

    // The arrow: an arc on the right that comes back pointing left.
    QPainterPath arc;
    arc.moveTo(s * 0.70, s * 0.24);
    arc.cubicTo(s * 0.95, s * 0.28, s * 0.95, s * 0.72, s * 0.70, s * 0.76);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(
        QPen(QColor(255, 160, 20), qMax<qreal>(1.5, s * 0.09), Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(arc);
    QPainterPath head;
    head.moveTo(s * 0.58, s * 0.76);
    head.lineTo(s * 0.74, s * 0.64);
    head.lineTo(s * 0.74, s * 0.88);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 160, 20));
    painter.drawPath(head);
    return pixmap;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(ProgramPixmap(size));
    return icon;
}

}  // namespace korvexer::gui
