// SPDX-License-Identifier: MIT
// FailureText: the fixed sentence, the file and the reason, one to a line.
#include "gui/app/failure_text.h"

#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

QString FailureText(std::string_view gbkText, const Error& error, std::string_view file) {
    QString text = GbkCodec::ToQString(gbkText);
    const std::string_view named = error.path.empty() ? file : std::string_view(error.path);
    if (!named.empty()) text += QLatin1Char('\n') + GbkCodec::ToQString(named);
    if (!error.message.empty()) text += QLatin1Char('\n') + GbkCodec::ToQString(error.message);
    return text;
}

}  // namespace korvexer::gui
