// SPDX-License-Identifier: MIT
// StartOptions: the window's command line: --help, --version and --screenshot FOLDER.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace korvexer::gui {

// Parses the window's command line. Needs a QCoreApplication (a plain one will do: --help and
// --version are answered before the window's application, and so a display, exists).
class StartOptions {
public:
    StartOptions();

    // Parses `arguments` (the program's path first). False when an option is unknown, a value is
    // missing or an argument is left over; ErrorText() then says which.
    bool Parse(const QStringList& arguments);
    QString ErrorText() const;

    // Prints the help or the version to standard output and ends the program (exit status 0) when
    // the parsed command line asks for one; returns otherwise.
    void AnswerHelpOrVersion();

    // The folder that --screenshot names, or "" to run the window.
    QString ScreenshotFolder() const;

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_screenshot;
    QString m_error;
};

}  // namespace korvexer::gui
