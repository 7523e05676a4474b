// SPDX-License-Identifier: MIT
// CConstantDlg: the constant step's dialog, a form over the ConstantStep model.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include <QDialog>

#include "core/constants/constant_step.h"
#include "core/list/row_layouts.h"
#include "core/platform/clock.h"
#include "gui/constants/step_context.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvexer::gui {

class CGridListCtrl;
class CStepPreviewPane;

// Lists the constants of the project's sources merged with the main constant list, lets the user
// mark them and edit them by hand, and on OK hands the marked rows to the main constant list and
// rewrites the sources. Every decision is the model's; the dialog shows its rows, fields and
// messages. Nothing changes before OK; Cancel and Esc change nothing.
class CConstantDlg : public QDialog {
    Q_OBJECT
public:
    // Scans the sources and merges the main constant list at once; new constants are numbered
    // from `indexCounter`. `context` and `clock` must outlive the dialog.
    CConstantDlg(const StepContext& context, const Clock& clock, std::uint32_t indexCounter,
                 QWidget* parent = nullptr);

    const ConstantStep& Model() const { return m_model; }
    CGridListCtrl& List() const { return *m_list; }
    CStepPreviewPane& Preview() const { return *m_preview; }
    // The rows selected in the list, in ascending order.
    std::vector<std::size_t> SelectedRows() const;

public slots:
    // OK: the model's OK. Refused (the record could not hold the rows), its message is shown and
    // the dialog stays open; accepted, files that could not be rewritten are named, then it closes.
    void accept() override;

private:
    void Build();
    void Connect();
    // Reads the edit fields; shows a message and returns nothing for an index that is no
    // unsigned 32-bit number.
    std::optional<ConstantFields> ReadFields();
    // Shows `fields`, its value decoded in `valueEncoding` (that of the row's file).
    void ShowFields(const ConstantFields& fields, TextEncoding valueEncoding);
    // The encoding of row `row`'s value: that of its file, GBK for a row in no file.
    TextEncoding ValueEncoding(std::size_t row);
    // Shows what the scan noticed about the sources, one line per file.
    void ShowNotices();
    // Tells the list that the model changed the cells of the rows `first` to `last` in the
    // columns `firstColumn` to `lastColumn`.
    void ShowChangedCells(std::size_t first, std::size_t last, int firstColumn, int lastColumn);
    void Carry(const StepEditOutcome& outcome);

    void OnDoubleClick();
    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnReplace();
    void OnRevert();
    void OnReplaceAll();
    void OnRevertAll();

    StepContext m_context;
    // The model's rows, which the list shows as they are.
    RowList m_rows{kStepColumnCount};
    ConstantStep m_model;

    CGridListCtrl* m_list = nullptr;
    CStepPreviewPane* m_preview = nullptr;
    QLabel* m_notices = nullptr;
    QLineEdit* m_index = nullptr;
    QButtonGroup* m_type = nullptr;
    QLineEdit* m_value = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_modify = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_replace = nullptr;
    QPushButton* m_revert = nullptr;
    QPushButton* m_replaceAll = nullptr;
    QPushButton* m_revertAll = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace korvexer::gui
