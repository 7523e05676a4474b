// SPDX-License-Identifier: MIT
// StepLauncher: opens the two step dialogs over the main window with the Workbench's lists.
#pragma once

#include <functional>

#include "core/app/workbench.h"
#include "core/platform/clock.h"
#include "core/platform/file_system.h"

class QDialog;
class QString;
class QLineEdit;
class QWidget;

namespace korvexer::gui {

class CWorkbenchDlg;
class Prompter;

// Runs a step dialog from the main window: the opening checks, the index the constant step
// numbers from, and the lists, files and source encoding the dialog works on, all from the
// Workbench, which afterwards notes what the dialog's scan noticed (for the status line). The
// caller writes the record file (Workbench::SaveRecordAfterStep) and shows the lists again after
// OK.
class StepLauncher {
public:
    // Runs a dialog modally and returns its result code; tests replace it to drive the dialog.
    using DialogRunner = std::function<int(QDialog&)>;

    // Everything must outlive the launcher.
    StepLauncher(Workbench& model, FileSystem& fs, Prompter& prompter,
                 const Clock& clock = Clock::System());

    void SetDialogRunner(DialogRunner runner) { m_run = std::move(runner); }

    // The constant step. The main source field's text, as typed, must not be empty once blanks at
    // its start are removed: otherwise the message asking for it is shown, the field is focused and
    // nothing opens. Then the last constant index is taken from the constant list and the dialog
    // runs over `parent`. Returns true when it closed with OK.
    bool RunConstantStep(QWidget* parent, QLineEdit* mainSourceField);
    // The function step; it opens also with an empty main source field. Returns true after OK.
    bool RunFunctionStep(QWidget* parent, QLineEdit* mainSourceField);

    // Makes the window's step buttons and list double-clicks run the two steps over it, reading
    // its main source field; after OK the window writes the record file and shows its lists.
    void Attach(CWorkbenchDlg& window);
    // Shows both dialogs over `window` with its lists and main source field, the first row of
    // each (of the calls, the first with a proposed substitute) selected and marked so that the
    // preview shows its change, saves each to a PNG file in `folder` (constant_dlg.png,
    // function_dlg.png) and closes it without OK, so nothing changes, without the opening check
    // and without any message. False when a file could not be written.
    bool RenderDialogs(CWorkbenchDlg& window, const QString& folder);

private:
    Workbench& m_model;
    FileSystem& m_fs;
    Prompter& m_prompter;
    const Clock& m_clock;
    DialogRunner m_run;
};

}  // namespace korvexer::gui
