// SPDX-License-Identifier: MIT
// QtShellOpener: opens files with the desktop's handler.
#include "gui/app/shell_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace korvexer::gui {

bool QtShellOpener::Open(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace korvexer::gui
