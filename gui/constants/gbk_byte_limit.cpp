// SPDX-License-Identifier: MIT
// LimitGbkBytes: the byte limit of an edit measured in GBK, not in Qt characters.
#include "gui/constants/gbk_byte_limit.h"

#include <QLineEdit>

#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

void LimitGbkBytes(QLineEdit* edit, std::size_t bytes) {
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, bytes](const QString& text) {
        if (GbkCodec::FromQString(text).size() <= bytes) return;
        QString cut = text;
        // A surrogate pair is one character: drop both halves together.
        while (!cut.isEmpty() && GbkCodec::FromQString(cut).size() > bytes) {
            cut.chop(1);
            if (!cut.isEmpty() && cut.back().isHighSurrogate()) cut.chop(1);
        }
        const int cursor = edit->cursorPosition();
        edit->setText(cut);
        edit->setCursorPosition(qMin(cursor, static_cast<int>(cut.size())));
    });
}

}  // namespace korvexer::gui
