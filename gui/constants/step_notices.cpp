// SPDX-License-Identifier: MIT
// ShowStepNotices: the scan's notices in a sunken, wrapping label.
#include "gui/constants/step_notices.h"

#include <QLabel>
#include <QStringList>

#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

void ShowStepNotices(QLabel* label, const std::vector<std::string>& gbkLines) {
    QStringList lines;
    for (const std::string& line : gbkLines) lines << GbkCodec::ToQString(line);
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setText(lines.join(QLatin1Char('\n')));
    label->setVisible(!lines.isEmpty());
}

}  // namespace korvexer::gui
