// SPDX-License-Identifier: MIT
// korvexer_render_icons OUTDIR SIZE...: writes the program's icon, as the window draws it, to
// OUTDIR/NxN/apps/korvexer.png for each SIZE, for the installation's icon theme folders.
#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QStringList>

#include "gui/app/program_icon.h"

int main(int argc, char** argv) {
    // A build step never has a screen to draw on, and needs none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: korvexer_render_icons OUTDIR SIZE...\n");
        return 2;
    }
    const QDir out(arguments[1]);
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        bool isNumber = false;
        const int size = arguments[i].toInt(&isNumber);
        if (!isNumber || size < 1) {
            std::fprintf(stderr, "korvexer_render_icons: not a size: %s\n",
                         qUtf8Printable(arguments[i]));
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = out.filePath(folder + QStringLiteral("/korvexer.png"));
        if (!out.mkpath(folder) || !korvexer::gui::ProgramPixmap(size).save(file, "PNG")) {
            std::fprintf(stderr, "korvexer_render_icons: cannot write %s\n", qUtf8Printable(file));
            return 1;
        }
    }
    return 0;
}
