// SPDX-License-Identifier: MIT
// korvexer: the window's executable. `--screenshot FOLDER` renders the windows to PNG files;
// `--help` and `--version` answer without a display.
#include <cstdio>

#include <QApplication>
#include <QDir>

#include "generated/korvexer_build_info.h"
#include "gui/app/start_options.h"
#include "gui/app/workbench_app.h"
#include "gui/text/gbk_codec.h"

int main(int argc, char** argv) {
    using korvexer::gui::StartOptions;
    QCoreApplication::setApplicationVersion(QStringLiteral(KORVEXER_VERSION));
    {
        // Qt's own window options (-platform, -style, ...) are only known to QApplication, so
        // unknown options are no error here; the second parse below judges them.
        QCoreApplication console(argc, argv);
        StartOptions options;
        options.Parse(QCoreApplication::arguments());
        options.AnswerHelpOrVersion();
    }

    QApplication application(argc, argv);
    // Wayland finds the window's icon and name through its desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(KORVEXER_APP_ID));
    StartOptions options;
    if (!options.Parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "korvexer: %s\n用 korvexer --help 查看可用的选项。\n",
                     qUtf8Printable(options.ErrorText()));
        return 2;
    }
    const QString screenshotFolder = options.ScreenshotFolder();

    korvexer::gui::CWorkbenchApp workbench(korvexer::gui::GbkCodec::FromQString(
        QDir::toNativeSeparators(QCoreApplication::applicationFilePath())));
    return screenshotFolder.isEmpty() ? workbench.Run()
                                      : workbench.RenderScreenshots(screenshotFolder);
}
