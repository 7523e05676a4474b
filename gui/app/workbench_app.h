// SPDX-License-Identifier: MIT
// CWorkbenchApp: the program's start: the settings file, then the main window.
#pragma once

#include <string>

#include <QString>

#include "core/platform/file_system.h"

namespace korvexer::gui {

// Takes the seed settings (installed in /etc/xdg or beside the executable) over as the working
// copy (never replacing one), opens the working copy, which is named after the executable, and
// runs the main window on it.
class CWorkbenchApp {
public:
    // `executablePath` is the running program's full path (GBK).
    explicit CWorkbenchApp(std::string executablePath, FileSystem& fs = FileSystem::Real());

    // The settings file the window works on: the working copy in the user's configuration folder,
    // or, where no such folder is known, the file of that name beside the executable.
    std::string SettingsPath() const;

    // Seeds the working copy, puts Qt's own texts into Chinese (UseChineseTexts) and runs the main
    // window modally; returns the exit code (0).
    int Run();

    // Seeds like Run, then renders the main window, the language settings dialog and the about box
    // offscreen into workbench.png, language.png and about.png in `folder`. Returns 0, or 1 when a
    // picture could not be written.
    int RenderScreenshots(const QString& folder);

private:
    std::string m_executablePath;
    FileSystem& m_fs;
};

}  // namespace korvexer::gui
