// SPDX-License-Identifier: MIT
// GbkCodec over Qt's GBK string decoder and encoder.
#include "gui/text/gbk_codec.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

#include "core/platform/gbk_text.h"

namespace korvexer::gui {

QString GbkCodec::ToQString(std::string_view gbk) {
    // Qt's decoder drops a lead byte that ends the text without a trace; it is shown as U+FFFD
    // so the cell does not look complete when it is not.
    bool cutCharacter = false;
    for (std::size_t pos = 0; pos < gbk.size();) {
        const std::size_t width = gbk::CharWidthAt(gbk, pos);
        if (width == 1 && gbk::IsLeadByte(gbk[pos]) && pos + 1 == gbk.size()) cutCharacter = true;
        pos += width;
    }
    if (cutCharacter) gbk.remove_suffix(1);
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
    if (cutCharacter) text.append(QChar(QChar::ReplacementCharacter));
    return text;
}

std::string GbkCodec::FromQString(const QString& text, bool* exact) {
    QStringEncoder encoder("GBK", QStringConverter::Flag::Default);
    const QByteArray bytes = encoder.encode(text);
    if (exact != nullptr) *exact = !encoder.hasError();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString GbkCodec::ToQString(std::string_view bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Gbk) return ToQString(bytes);
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string GbkCodec::FromQString(const QString& text, TextEncoding encoding, bool* exact) {
    if (encoding == TextEncoding::Gbk) return FromQString(text, exact);
    if (exact != nullptr) *exact = true;
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace korvexer::gui
