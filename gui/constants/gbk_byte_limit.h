// SPDX-License-Identifier: MIT
// LimitGbkBytes: keeps the text of an edit within a number of GBK bytes.
#pragma once

#include <cstddef>

class QLineEdit;

namespace korvexer::gui {

// From now on, an edit of `edit` that would make its text longer than `bytes` GBK bytes is cut
// back: characters are dropped from the end of the text until it fits, as an edit with a byte
// limit refuses what does not fit.
void LimitGbkBytes(QLineEdit* edit, std::size_t bytes);

}  // namespace korvexer::gui
