// SPDX-License-Identifier: MIT
// ByteLimitValidator: the GBK byte count of an edit's text against its limit.
#include "gui/app/byte_limit_validator.h"

#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

ByteLimitValidator::ByteLimitValidator(int limit, QObject* parent)
    : QValidator(parent), m_limit(limit) {}

QValidator::State ByteLimitValidator::validate(QString& input, int& /*position*/) const {
    // U+FFFD stands for bytes of a stored text that were no GBK character; refusing it would lock
    // the field, so it counts as the one byte it is stored as.
    QString probe = input;
    probe.replace(QChar(QChar::ReplacementCharacter), QLatin1Char('?'));
    bool exact = true;
    const std::string bytes = GbkCodec::FromQString(probe, &exact);
    return exact && static_cast<int>(bytes.size()) <= m_limit ? Acceptable : Invalid;
}

}  // namespace korvexer::gui
