// SPDX-License-Identifier: MIT
// CAboutDlg: layout of the about box.
#include "gui/app/about_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "generated/korvexer_build_info.h"
#include "gui/app/program_icon.h"
#include "gui/controls/font_height.h"

namespace korvexer::gui {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("关于 Korvexer"));
    setWindowIcon(ProgramIcon());
    setFont(font_height::DialogFont());

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(ProgramPixmap(32));
    icon->setFixedSize(32, 32);
    auto* version = new QLabel(VersionText(), this);
    version->setObjectName(QStringLiteral("version"));
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CAboutDlg::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addSpacing(14);
    row->addWidget(version, 1, Qt::AlignVCenter);
    row->addSpacing(14);
    row->addWidget(ok, 0, Qt::AlignTop);
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(16, 16, 16, 16);
    whole->addLayout(row);
    setFixedSize(340, 80);
}

QString CAboutDlg::VersionText() {
    return QStringLiteral("Korvexer " KORVEXER_VERSION_SHORT " 版");
}

}  // namespace korvexer::gui
