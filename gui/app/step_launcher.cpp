// SPDX-License-Identifier: MIT
// StepLauncher: the opening procedure of each step dialog.
#include "gui/app/step_launcher.h"

#include <cstdint>
#include <string>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/constants/constant_step.h"
#include "core/platform/text_trim.h"
#include "gui/app/workbench_dlg.h"
#include "gui/constants/constant_dlg.h"
#include "gui/constants/step_context.h"
#include "gui/constants/step_message_box.h"
#include "gui/constants/step_preview_pane.h"
#include "gui/controls/grid_list_ctrl.h"
#include "gui/controls/row_list_model.h"
#include "gui/functions/function_dlg.h"
#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

namespace {

// The dialogs get the main source field's text as it stands in the control, not the model's
// copy from the last transfer: the user may have typed since.
std::string FieldText(const QLineEdit* field) {
    return GbkCodec::FromQString(field->text());
}

// The window names its main source field so that the steps can read it as typed.
QLineEdit* MainSourceField(CWorkbenchDlg& window) {
    QLineEdit* field = window.findChild<QLineEdit*>(QStringLiteral("mainSource"));
    Q_ASSERT(field);
    return field;
}

}  // namespace

StepLauncher::StepLauncher(Workbench& model, FileSystem& fs, Prompter& prompter, const Clock& clock)
    : m_model(model), m_fs(fs), m_prompter(prompter), m_clock(clock), m_run([](QDialog& dialog) {
          return dialog.exec();
      }) {}

bool StepLauncher::RunConstantStep(QWidget* parent, QLineEdit* mainSourceField) {
    const std::string typed = FieldText(mainSourceField);
    if (const std::optional<StepMessage> refusal = ConstantStep::CheckOpening(typed)) {
        ShowStepMessage(m_prompter, parent, *refusal);
        mainSourceField->setFocus();
        return false;
    }
    const std::string mainSource = TrimLeadingBlanks(typed);
    const auto counter = static_cast<std::uint32_t>(m_model.PrepareConstantStep());
    const StepContext context{m_fs,
                              m_model.language(),
                              m_prompter,
                              m_model.constants(),
                              m_model.functions(),
                              m_model.sourceFiles().entries(),
                              mainSource,
                              m_model.settings().sourceEncoding};
    CConstantDlg dialog(context, m_clock, counter, parent);
    const bool accepted = m_run(dialog) == QDialog::Accepted;
    m_model.NoteScan(dialog.Model().sources().NoticeLines());
    return accepted;
}

bool StepLauncher::RunFunctionStep(QWidget* parent, QLineEdit* mainSourceField) {
    const StepContext context{m_fs,
                              m_model.language(),
                              m_prompter,
                              m_model.constants(),
                              m_model.functions(),
                              m_model.sourceFiles().entries(),
                              FieldText(mainSourceField),
                              m_model.settings().sourceEncoding};
    CFunctionDlg dialog(context, parent);
    const bool accepted = m_run(dialog) == QDialog::Accepted;
    m_model.NoteScan(dialog.Model().sources().NoticeLines());
    return accepted;
}

void StepLauncher::Attach(CWorkbenchDlg& window) {
    QLineEdit* field = MainSourceField(window);
    window.SetConstantStep([this, &window, field] { return RunConstantStep(&window, field); });
    window.SetFunctionStep([this, &window, field] { return RunFunctionStep(&window, field); });
}

bool StepLauncher::RenderDialogs(CWorkbenchDlg& window, const QString& folder) {
    // No opening check and no message: a picture is taken whatever the project holds.
    const StepContext context{m_fs,
                              m_model.language(),
                              m_prompter,
                              m_model.constants(),
                              m_model.functions(),
                              m_model.sourceFiles().entries(),
                              TrimLeadingBlanks(FieldText(MainSourceField(window))),
                              m_model.settings().sourceEncoding};
    const auto counter = static_cast<std::uint32_t>(m_model.PrepareConstantStep());
    CConstantDlg constants(context, m_clock, counter, &window);
    CFunctionDlg functions(context, &window);
    // The pictures show the preview at work: the first row, selected and marked in the dialog
    // alone (nothing is accepted), and for the calls the first one the catalogue proposes for.
    auto mark = [](CGridListCtrl& list, int row, QPushButton* replace) {
        if (row < 0 || row >= list.Rows().rowCount()) return;
        list.selectionModel()->setCurrentIndex(
            list.Rows().index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        replace->click();
    };
    mark(constants.List(), 0, constants.findChild<QPushButton*>(QStringLiteral("replace")));
    for (std::size_t row = 0; row < functions.Model().rows().size(); ++row) {
        if (const std::optional<std::size_t> entry = functions.Model().ProposeEntry(row)) {
            functions.Catalogue().setCurrentRow(static_cast<int>(*entry));
            mark(functions.List(), static_cast<int>(row),
                 functions.findChild<QPushButton*>(QStringLiteral("replace")));
            break;
        }
    }
    constants.Preview().Refresh();
    functions.Preview().Refresh();
    bool saved = true;
    for (QDialog* dialog : {static_cast<QDialog*>(&constants), static_cast<QDialog*>(&functions)}) {
        dialog->show();
        QApplication::processEvents();
        const QString name = dialog == &constants ? QStringLiteral("constant_dlg.png")
                                                  : QStringLiteral("function_dlg.png");
        saved = dialog->grab().save(QDir(folder).filePath(name), "PNG") && saved;
        dialog->hide();
    }
    return saved;
}

}  // namespace korvexer::gui
