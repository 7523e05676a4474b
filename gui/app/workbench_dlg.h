// SPDX-License-Identifier: MIT
// CWorkbenchDlg: the main window, a form over the Workbench model.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>
#include <QList>
#include <QStringList>

#include "core/app/workbench.h"
#include "core/platform/profile_store.h"
#include "gui/app/prompter.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace korvexer::gui {

class CGridListCtrl;
class CStepButton;
class FileChooser;
class ShellOpener;

// Shows the project fields, the source-file list and the two report lists of the model, forwards
// every button, selection and key to it and carries out what it decides: messages through the
// Prompter, file choices through the FileChooser, the help file through the ShellOpener. The close
// button, the window's close box and Esc run the close procedure, which asks before unsaved work
// (typing included) is dropped and stays open when the save it was told to make fails. Enter in a
// project field moves to the next one and, in the last, asks whether to save; on a button it is
// that button's click; elsewhere it runs the close procedure too.
class CWorkbenchDlg : public QDialog {
    Q_OBJECT
public:
    // Runs a step dialog over the window; true when it closed with OK, after which the window
    // writes the record file.
    using StepHook = std::function<bool()>;

    // Initialises `model` and shows it. `settings` is the file the language settings dialog edits
    // (the model's own settings file). Everything must outlive the window.
    CWorkbenchDlg(Workbench& model, ProfileStore& settings, Prompter& prompter,
                  FileChooser& chooser, ShellOpener& opener, QWidget* parent = nullptr);

    Workbench& Model() { return m_model; }
    CGridListCtrl& ConstantList() const { return *m_constantList; }
    CGridListCtrl& FunctionList() const { return *m_functionList; }

    // The step dialogs, run by the step buttons and by double-clicks on the lists. Until they are
    // set, those do nothing.
    void SetConstantStep(StepHook hook) { m_constantStep = std::move(hook); }
    void SetFunctionStep(StepHook hook) { m_functionStep = std::move(hook); }

    // The item of the window's menu that opens the about box (also the "关于" button's).
    QAction* AboutAction() const { return m_aboutAction; }

    // The close procedure: asks whether to save when there are unsaved changes, saves silently on
    // Yes, and closes unless that save stopped.
    void RunCloseProcedure();

public slots:
    // Esc reaches the window as reject, which runs the close procedure; so does accept.
    void accept() override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Build();
    void Connect();
    WorkbenchForm TakeForm() const;
    // Shows what the model holds: all fields, the product entries, the lists and button states.
    void ShowForm();
    void ShowSourceFiles();
    void ShowStatus();
    void ShowLists();
    // Shows the outcome's message, focuses its field and closes when it says so. Returns the answer
    // to the message (Ok when there was none).
    Prompter::Answer Carry(const WorkbenchOutcome& outcome);
    Prompter::Answer Ask(const WorkbenchMessage& message);
    void ShowError(std::string_view text);
    void EndDialog();
    // The project fields in the order Enter walks them.
    QList<QWidget*> FormFields() const;
    // Enter in the last project field: asks whether to save, and saves on Yes.
    void OfferSave();

    // The GBK forms of the paths a file dialog gave (an empty one stays empty); a path that GBK
    // cannot hold is dropped and named in one message.
    std::vector<std::string> TakeChosenPaths(const QStringList& chosen);

    void OnRefresh();
    void OnSave();
    void OnBrowseApplication();
    void OnBrowseMainSource();
    void OnLanguageChanged(int index);
    void OnLanguageSettings();
    void OnSourceEncodingChanged(int index);
    void OnAddFiles();
    void OnDeleteFile();
    void OnDeleteAllFiles();
    void OnSourceSelectionChanged();
    void OnSourceFileSelected(int row);
    void OnHelp();
    void OnAbout();
    void RunStep(const StepHook& hook);
    // A record that names where the project lay before it was moved: asks whether to rebase it.
    void OfferRebase();

    Workbench& m_model;
    ProfileStore& m_settings;
    Prompter& m_prompter;
    FileChooser& m_chooser;
    ShellOpener& m_opener;
    StepHook m_constantStep;
    StepHook m_functionStep;
    bool m_ending = false;

    QLineEdit* m_company = nullptr;
    QComboBox* m_product = nullptr;
    QPushButton* m_refresh = nullptr;
    QComboBox* m_language = nullptr;
    QPushButton* m_languageSettings = nullptr;
    QComboBox* m_sourceEncoding = nullptr;
    QLineEdit* m_mainSource = nullptr;
    QPushButton* m_browseMainSource = nullptr;
    QLineEdit* m_application = nullptr;
    QPushButton* m_browseApplication = nullptr;
    QListWidget* m_sourceFiles = nullptr;
    QPushButton* m_help = nullptr;
    QPushButton* m_about = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_deleteAll = nullptr;
    CStepButton* m_constantStepButton = nullptr;
    CGridListCtrl* m_constantList = nullptr;
    CStepButton* m_functionStepButton = nullptr;
    CGridListCtrl* m_functionList = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_close = nullptr;
    QLabel* m_status = nullptr;
    QAction* m_aboutAction = nullptr;
};

}  // namespace korvexer::gui
