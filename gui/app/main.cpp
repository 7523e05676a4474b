// SPDX-License-Identifier: MIT
// korvexer: the window's executable. `--screenshot FOLDER` renders the windows to PNG files.
#include <QApplication>
#include <QDir>
#include <QStringList>

#include "gui/app/workbench_app.h"
#include "gui/text/gbk_codec.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QString screenshotFolder;
    const qsizetype option = arguments.indexOf(QStringLiteral("--screenshot"));
    if (option >= 0 && option + 1 < arguments.size()) screenshotFolder = arguments[option + 1];

    korvexer::gui::CWorkbenchApp workbench(korvexer::gui::GbkCodec::FromQString(
        QDir::toNativeSeparators(QCoreApplication::applicationFilePath())));
    return screenshotFolder.isEmpty() ? workbench.Run()
                                      : workbench.RenderScreenshots(screenshotFolder);
}
