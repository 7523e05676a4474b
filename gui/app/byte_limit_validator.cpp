// SPDX-License-Identifier: MIT
// ByteLimitValidator: the GBK byte count of an edit's text against its limit.
#include "gui/app/byte_limit_validator.h"

#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

ByteLimitValidator::ByteLimitValidator(int limit, QObject* parent)
    : QValidator(parent), m_limit(limit) {}

QValidator::State ByteLimitValidator::validate(QString& input, int& /*position*/) const {
    const std::string bytes = GbkCodec::FromQString(input);
    return static_cast<int>(bytes.size()) <= m_limit ? Acceptable : Invalid;
}

}  // namespace korvexer::gui
