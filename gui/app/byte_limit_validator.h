// SPDX-License-Identifier: MIT
// ByteLimitValidator: keeps an edit's text within a number of GBK bytes.
#pragma once

#include <QValidator>

namespace korvexer::gui {

// Accepts a text whose GBK form has at most `limit` bytes (a Chinese character takes two), so an
// edit refuses the keystroke or paste that would pass the limit. A character that GBK cannot hold
// is refused too: every text of the program is stored as GBK, where it would become '?'.
class ByteLimitValidator : public QValidator {
    Q_OBJECT
public:
    explicit ByteLimitValidator(int limit, QObject* parent = nullptr);

    int Limit() const { return m_limit; }
    State validate(QString& input, int& position) const override;

private:
    int m_limit;
};

}  // namespace korvexer::gui
