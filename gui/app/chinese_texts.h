// SPDX-License-Identifier: MIT
// UseChineseTexts: Qt's own texts in Chinese, as every text of the program is.
#pragma once

namespace korvexer::gui {

// Makes Chinese (China) the locale of the window whatever the desktop's locale is, and installs
// Qt's translations for it, so that message-box buttons, file dialogs and context menus speak
// Chinese. The translations are looked for in Qt's translation folder, then in "translations"
// beside the executable. Needs the application object. Returns false when none was found: Qt's
// texts then stay English.
bool UseChineseTexts();

}  // namespace korvexer::gui
