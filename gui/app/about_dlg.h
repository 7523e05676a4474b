// SPDX-License-Identifier: MIT
// CAboutDlg: the about box with the program's icon, name and version.
#pragma once

#include <QDialog>

namespace korvexer::gui {

// Caption "关于 Korvexer", the icon at the left, "Korvexer 2.6 版" beside it (the build's major
// and minor version) and the default button "确定", which closes the box.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // The version line the box shows.
    static QString VersionText();
};

}  // namespace korvexer::gui
