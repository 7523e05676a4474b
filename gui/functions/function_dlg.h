// SPDX-License-Identifier: MIT
// CFunctionDlg: the function step's dialog, a form over the FunctionStep model.
#pragma once

#include <cstddef>
#include <optional>

#include <QDialog>

#include "core/functions/function_step.h"
#include "core/list/row_layouts.h"
#include "gui/constants/step_context.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace korvexer::gui {

class CGridListCtrl;
class CStepPreviewPane;

// Lists the calls of the project's sources merged with the main function list beside the sorted
// catalogue of substitutes; the user pairs a call with an entry and marks it, and on OK the marked
// rows become the main function list and the sources are rewritten. Every decision is the model's;
// the dialog shows its rows and messages. Nothing changes before OK; Cancel and Esc change
// nothing.
class CFunctionDlg : public QDialog {
    Q_OBJECT
public:
    // Scans the sources and merges the main function list at once. `context` must outlive the
    // dialog.
    explicit CFunctionDlg(const StepContext& context, QWidget* parent = nullptr);

    const FunctionStep& Model() const { return m_model; }
    CGridListCtrl& List() const { return *m_list; }
    CStepPreviewPane& Preview() const { return *m_preview; }
    QListWidget& Catalogue() const { return *m_catalogue; }
    // The selected call row, if any (the list allows one).
    std::optional<std::size_t> SelectedRow() const;
    // The selected catalogue entry, if any.
    std::optional<std::size_t> SelectedEntry() const;

public slots:
    // OK: the model's OK. Refused (the record could not hold the rows), its message is shown and
    // the dialog stays open; accepted, files that could not be rewritten are named, then it closes.
    void accept() override;

private:
    void Build();
    void Connect();
    // Tells the list that the substitute and state of row `row` changed.
    void ShowChangedRow(std::size_t row);

    void OnCallClicked();
    void OnEntrySelected();
    void OnEntryDoubleClicked();
    void OnReplace();
    void OnRevert();

    StepContext m_context;
    // The model's rows, which the list shows as they are.
    RowList m_rows{kStepColumnCount};
    FunctionStep m_model;

    CGridListCtrl* m_list = nullptr;
    CStepPreviewPane* m_preview = nullptr;
    QLabel* m_notices = nullptr;
    QListWidget* m_catalogue = nullptr;
    QLineEdit* m_entryText = nullptr;
    QPushButton* m_replace = nullptr;
    QPushButton* m_revert = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace korvexer::gui
