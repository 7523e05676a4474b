// SPDX-License-Identifier: MIT
// CWorkbenchApp: seeding the settings, running the main window, rendering it to pictures.
#include "gui/app/workbench_app.h"

#include <utility>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>

#include "core/app/workbench.h"
#include "core/platform/profile_store.h"
#include "core/platform/settings_location.h"
#include "gui/app/about_dlg.h"
#include "gui/app/chinese_texts.h"
#include "gui/app/file_chooser.h"
#include "gui/app/prompter.h"
#include "gui/app/shell_opener.h"
#include "gui/app/step_launcher.h"
#include "gui/app/workbench_dlg.h"
#include "gui/language/language_dlg.h"
#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

namespace {

bool Save(QWidget& widget, const QString& path) {
    widget.show();
    widget.raise();
    QApplication::processEvents();
    return widget.grab().save(path, "PNG");
}

}  // namespace

CWorkbenchApp::CWorkbenchApp(std::string executablePath, FileSystem& fs)
    : m_executablePath(std::move(executablePath)), m_fs(fs) {}

std::string CWorkbenchApp::SettingsPath() const {
    Expected<std::string> working = WorkingSettingsPath(m_executablePath);
    if (working) return *working;
    return ExecutableDirectory(m_executablePath) + SettingsFileName(m_executablePath);
}

int CWorkbenchApp::Run() {
    (void)UseChineseTexts();  // without Qt's translations its few texts stay English
    SeedWorkingSettings(m_fs, m_executablePath);
    ProfileStore settings(m_fs, SettingsPath());
    Workbench model(m_fs, settings);
    QtPrompter prompter;
    QtFileChooser chooser;
    QtShellOpener opener;
    CWorkbenchDlg window(model, settings, prompter, chooser, opener);
    StepLauncher steps(model, m_fs, prompter);
    steps.Attach(window);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.exec();
    return 0;
}

int CWorkbenchApp::RenderScreenshots(const QString& folder) {
    (void)UseChineseTexts();
    SeedWorkingSettings(m_fs, m_executablePath);
    ProfileStore settings(m_fs, SettingsPath());
    Workbench model(m_fs, settings);
    QtPrompter prompter;
    QtFileChooser chooser;
    QtShellOpener opener;
    CWorkbenchDlg window(model, settings, prompter, chooser, opener);
    const QDir out(folder);
    bool saved = Save(window, out.filePath(QStringLiteral("workbench.png")));
    CLanguageDlg language(settings, model.settings().languageIndex, prompter, &window);
    saved = Save(language, out.filePath(QStringLiteral("language.png"))) && saved;
    language.hide();
    CAboutDlg about(&window);
    saved = Save(about, out.filePath(QStringLiteral("about.png"))) && saved;
    about.hide();
    saved = StepLauncher(model, m_fs, prompter).RenderDialogs(window, folder) && saved;
    return saved ? 0 : 1;
}

}  // namespace korvexer::gui
