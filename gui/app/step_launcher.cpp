// SPDX-License-Identifier: MIT
// StepLauncher: the opening procedure of each step dialog.
#include "gui/app/step_launcher.h"

#include <cstdint>
#include <string>

#include <QDialog>
#include <QLineEdit>

#include "core/app/project_settings.h"
#include "core/app/workbench_texts.h"
#include "core/constants/constant_step_outcome.h"
#include "gui/constants/constant_dlg.h"
#include "gui/constants/step_context.h"
#include "gui/constants/step_prompter.h"
#include "gui/functions/function_dlg.h"
#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

namespace {

// The dialogs get the main source field's text as it stands in the control, not the model's
// copy from the last transfer: the user may have typed since.
std::string FieldText(const QLineEdit* field) {
    return GbkCodec::FromQString(field->text());
}

}  // namespace

StepLauncher::StepLauncher(Workbench& model, FileSystem& fs, StepPrompter& prompter,
                           const Clock& clock)
    : m_model(model), m_fs(fs), m_prompter(prompter), m_clock(clock), m_run([](QDialog& dialog) {
          return dialog.exec();
      }) {}

bool StepLauncher::RunConstantStep(QWidget* parent, QLineEdit* mainSourceField) {
    const std::string mainSource = TrimLeadingBlanks(FieldText(mainSourceField));
    if (mainSource.empty()) {
        m_prompter.Show(parent, StepMessage{std::string(texts::kMainSourceEmpty),
                                            std::string(texts::kCaptionInformation)});
        mainSourceField->setFocus();
        return false;
    }
    const auto counter = static_cast<std::uint32_t>(m_model.PrepareConstantStep());
    const StepContext context{m_fs,
                              m_model.language(),
                              m_prompter,
                              m_model.constants(),
                              m_model.functions(),
                              m_model.sourceFiles().entries(),
                              mainSource};
    CConstantDlg dialog(context, m_clock, counter, parent);
    return m_run(dialog) == QDialog::Accepted;
}

bool StepLauncher::RunFunctionStep(QWidget* parent, QLineEdit* mainSourceField) {
    const StepContext context{m_fs,
                              m_model.language(),
                              m_prompter,
                              m_model.constants(),
                              m_model.functions(),
                              m_model.sourceFiles().entries(),
                              FieldText(mainSourceField)};
    CFunctionDlg dialog(context, parent);
    return m_run(dialog) == QDialog::Accepted;
}

}  // namespace korvexer::gui
