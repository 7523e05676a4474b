// SPDX-License-Identifier: MIT
// Signed font heights mapped onto Qt's pixel sizes, and the dialogs' font.
#include "gui/controls/font_height.h"

#include <cmath>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QStringList>

namespace korvexer::gui::font_height {

int Of(const QFont& font) {
    if (font.pixelSize() > 0) return -font.pixelSize();
    const int pixels = QFontInfo(font).pixelSize();
    return pixels > 0 ? -pixels : 0;
}

QFont Sized(QFont font, int height) {
    if (height < 0) {
        font.setPixelSize(-height);
    } else if (height > 0) {
        // Qt sizes by the character height; find the one whose cell is `height` high.
        QFont probe = font;
        probe.setPixelSize(100);
        const double cell = QFontMetricsF(probe).height();
        const int pixels = cell > 0 ? static_cast<int>(std::lround(height * 100.0 / cell)) : height;
        font.setPixelSize(pixels > 0 ? pixels : 1);
    }
    return font;
}

QFont DialogFont() {
    const QStringList families = QFontDatabase::families();
    QString family = QStringLiteral("WenQuanYi Micro Hei");
    for (const QString& wanted :
         {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
          QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")}) {
        if (families.contains(wanted, Qt::CaseInsensitive)) {
            family = wanted;
            break;
        }
    }
    QFont font(family);
    font.setPixelSize(12);
    return font;
}

}  // namespace korvexer::gui::font_height
