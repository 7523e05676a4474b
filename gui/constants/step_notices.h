// SPDX-License-Identifier: MIT
// ShowStepNotices: what a step's scan noticed about the sources, on a line of the dialog.
#pragma once

#include <string>
#include <vector>

class QLabel;

namespace korvexer::gui {

// Shows `gbkLines` (one GBK sentence per file) in `label`, one to a line, framed as a status
// line; hides the label when there are none.
void ShowStepNotices(QLabel* label, const std::vector<std::string>& gbkLines);

}  // namespace korvexer::gui
