// SPDX-License-Identifier: MIT
// CConstantDlg: layout, the handlers of its buttons and list, and how it shows the model.
#include "gui/constants/constant_dlg.h"

#include <algorithm>
#include <limits>

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "gui/app/byte_limit_validator.h"
#include "core/steps/step_preview.h"
#include "gui/constants/step_message_box.h"
#include "gui/constants/step_notices.h"
#include "gui/constants/step_preview_pane.h"
#include "gui/controls/font_height.h"
#include "gui/controls/grid_list_ctrl.h"
#include "gui/controls/grid_list_setup.h"
#include "gui/controls/row_list_model.h"
#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

namespace {

// The value edit holds at most this many GBK bytes.
constexpr int kValueBytes = 256;

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CConstantDlg::CConstantDlg(const StepContext& context, const Clock& clock,
                           std::uint32_t indexCounter, QWidget* parent)
    : QDialog(parent), m_context(context), m_model(context.fs, context.language, clock, m_rows) {
    Build();
    Connect();
    m_model.SetSourceEncoding(m_context.sourceEncoding);
    // Files that cannot be read add no rows; OK names them with the files it could not write.
    m_model.Open(m_context.constants, &m_context.sourceFiles, m_context.mainSourceFile,
                 indexCounter);
    m_list->Rows().SetEncodingLookup(
        [this](const std::string& path) { return m_model.sources().EncodingOf(path); });
    m_list->AttachRows(&m_rows);
    ShowNotices();
}

void CConstantDlg::ShowNotices() {
    ShowStepNotices(m_notices, m_model.sources().NoticeLines());
}

TextEncoding CConstantDlg::ValueEncoding(std::size_t row) {
    const std::string& file = m_model.rows().Text(row, kStepFile);
    return file.empty() ? TextEncoding::Gbk : m_model.sources().EncodingOf(file);
}

void CConstantDlg::Build() {
    setWindowTitle(QStringLiteral("数据保护"));
    setFont(font_height::DialogFont());
    setModal(true);

    m_list = new CGridListCtrl(this);
    m_list->setObjectName(QStringLiteral("constantList"));
    m_list->Configure(ConstantDialogSetup(), font_height::DialogFont());
    // What OK will do to the selected rows: the rewrite's own plan over the rows as they stand.
    m_preview = new CStepPreviewPane(
        [this] {
            // Only the rows the preview shows are read from the selection, which may be the whole
            // list.
            std::size_t selected = 0;
            const std::vector<std::size_t> shown =
                m_list->FirstSelectedRows(kPreviewRowLimit, &selected);
            StepPreview preview =
                PreviewRows(m_rows, shown, ListKind::Constants, m_context.language, m_context.fs,
                            m_context.sourceEncoding);
            preview.leftOut += selected - shown.size();
            return preview;
        },
        this);
    m_notices = new QLabel(this);
    m_notices->setObjectName(QStringLiteral("notices"));

    m_index = new QLineEdit(QStringLiteral("0"), this);
    m_index->setObjectName(QStringLiteral("indexEdit"));
    m_index->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), this));
    m_index->setMaximumWidth(100);

    auto* stringType = new QRadioButton(QStringLiteral("字符串型"), this);
    stringType->setObjectName(QStringLiteral("stringType"));
    auto* numberType = new QRadioButton(QStringLiteral("数值型"), this);
    numberType->setObjectName(QStringLiteral("numberType"));
    m_type = new QButtonGroup(this);
    m_type->addButton(stringType, ConstantFields::String);
    m_type->addButton(numberType, ConstantFields::Number);
    stringType->setChecked(true);

    m_value = new QLineEdit(this);
    m_value->setObjectName(QStringLiteral("valueEdit"));
    m_value->setValidator(new ByteLimitValidator(kValueBytes, m_value));

    m_add = Button(QStringLiteral("添加"), "add", this);
    m_modify = Button(QStringLiteral("修改"), "modify", this);
    m_delete = Button(QStringLiteral("删除"), "delete", this);
    m_replace = Button(QStringLiteral("替换"), "replace", this);
    m_revert = Button(QStringLiteral("撤销"), "revert", this);
    m_replaceAll = Button(QStringLiteral("全替换"), "replaceAll", this);
    m_revertAll = Button(QStringLiteral("全撤销"), "revertAll", this);
    m_ok = Button(QStringLiteral("确定"), "ok", this);
    m_ok->setDefault(true);
    m_cancel = Button(QStringLiteral("取消"), "cancel", this);

    // The list with its caption on the left, the state buttons and OK/Cancel on the right, the
    // edit fields and the hand-edit buttons along the bottom.
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(QStringLiteral("应用程序文件中常量数据列表："), this));
    listColumn->addWidget(m_list, 1);
    listColumn->addWidget(m_preview);
    listColumn->addWidget(m_notices);

    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addSpacing(QFontMetrics(font()).height() + 4);
    for (QPushButton* button : {m_replace, m_revert, m_replaceAll, m_revertAll})
        buttonColumn->addWidget(button);
    buttonColumn->addStretch(1);
    buttonColumn->addWidget(m_ok);
    buttonColumn->addWidget(m_cancel);

    auto* top = new QHBoxLayout;
    top->addLayout(listColumn, 1);
    top->addLayout(buttonColumn);

    // Index, type and the hand-edit buttons on one line; the value, up to 256 bytes, on a line of
    // its own below so that it can be read whole.
    auto* typeChoice = new QHBoxLayout;
    typeChoice->addWidget(stringType);
    typeChoice->addWidget(numberType);
    typeChoice->addStretch(1);
    auto* editButtons = new QHBoxLayout;
    for (QPushButton* button : {m_add, m_modify, m_delete}) editButtons->addWidget(button);
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("索引号："), this), 0, 0);
    fields->addWidget(m_index, 0, 1);
    fields->addLayout(typeChoice, 0, 2);
    fields->addLayout(editButtons, 0, 3);
    fields->addWidget(new QLabel(QStringLiteral("原常量值："), this), 1, 0);
    fields->addWidget(m_value, 1, 1, 1, 3);
    fields->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(fields);
    resize(735, 600);
}

void CConstantDlg::Connect() {
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this] { OnDoubleClick(); });
    // The preview follows the selection and every change of the rows' states and values.
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, m_preview,
            &CStepPreviewPane::Schedule);
    connect(&m_list->Rows(), &QAbstractItemModel::dataChanged, m_preview,
            &CStepPreviewPane::Schedule);
    connect(&m_list->Rows(), &QAbstractItemModel::rowsRemoved, m_preview,
            &CStepPreviewPane::Schedule);
    connect(m_add, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(m_modify, &QPushButton::clicked, this, [this] { OnModify(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(m_replace, &QPushButton::clicked, this, [this] { OnReplace(); });
    connect(m_revert, &QPushButton::clicked, this, [this] { OnRevert(); });
    connect(m_replaceAll, &QPushButton::clicked, this, [this] { OnReplaceAll(); });
    connect(m_revertAll, &QPushButton::clicked, this, [this] { OnRevertAll(); });
    connect(m_ok, &QPushButton::clicked, this, &CConstantDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CConstantDlg::reject);
}

std::vector<std::size_t> CConstantDlg::SelectedRows() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::optional<ConstantFields> CConstantDlg::ReadFields() {
    bool number = false;
    const qulonglong index = m_index->text().trimmed().toULongLong(&number);
    if (!number || index > std::numeric_limits<std::uint32_t>::max()) {
        m_context.prompter.Show(this, QStringLiteral("请输入一个正整数。"),
                                QStringLiteral("系统提示"), Prompter::Icon::Information,
                                Prompter::Buttons::Ok);
        m_index->setFocus();
        m_index->selectAll();
        return std::nullopt;
    }
    ConstantFields fields;
    fields.index = static_cast<std::uint32_t>(index);
    fields.type = m_type->checkedId() == ConstantFields::Number ? ConstantFields::Number
                                                                : ConstantFields::String;
    fields.value = GbkCodec::FromQString(m_value->text());
    return fields;
}

void CConstantDlg::ShowFields(const ConstantFields& fields, TextEncoding valueEncoding) {
    m_index->setText(QString::number(fields.index));
    m_type->button(fields.type)->setChecked(true);
    m_value->setText(GbkCodec::ToQString(fields.value, valueEncoding));
}

void CConstantDlg::ShowChangedCells(std::size_t first, std::size_t last, int firstColumn,
                                    int lastColumn) {
    m_list->Rows().ShowChangedCells(static_cast<int>(first), static_cast<int>(last), firstColumn,
                                    lastColumn);
}

void CConstantDlg::Carry(const StepEditOutcome& outcome) {
    if (outcome.message) ShowStepMessage(m_context.prompter, this, *outcome.message);
    if (outcome.focus == StepField::Value) m_value->setFocus();
    if (outcome.focus == StepField::Index) m_index->setFocus();
}

void CConstantDlg::OnDoubleClick() {
    const std::vector<std::size_t> selected = SelectedRows();
    if (selected.empty()) return;
    if (const std::optional<ConstantFields> fields = m_model.LoadFields(selected.front()))
        ShowFields(*fields, ValueEncoding(selected.front()));
}

void CConstantDlg::OnAdd() {
    std::optional<ConstantFields> fields = ReadFields();
    if (!fields) return;
    const StepEditOutcome outcome = m_model.Add(*fields);
    if (outcome.changed) {
        ShowFields(*fields, TextEncoding::Gbk);
        m_list->Rows().ShowAppendedRows();
    }
    Carry(outcome);
    if (outcome.changed) m_list->scrollTo(m_list->Rows().index(m_list->Rows().rowCount() - 1, 0));
}

void CConstantDlg::OnModify() {
    std::optional<ConstantFields> fields = ReadFields();
    if (!fields) return;
    // Modify keeps the index, so the row is the same before and after.
    const std::optional<std::size_t> row = m_model.RowOfIndex(fields->index);
    // The value is the file's own text: stored in the file's encoding, as the rewrite writes it.
    const TextEncoding encoding = row ? ValueEncoding(*row) : TextEncoding::Gbk;
    fields->value = GbkCodec::FromQString(m_value->text(), encoding);
    const StepEditOutcome outcome = m_model.Modify(*fields);
    if (outcome.changed) {
        ShowFields(*fields, encoding);
        ShowChangedCells(*row, *row, kStepName, kStepState);
    }
    Carry(outcome);
}

void CConstantDlg::OnDelete() {
    const std::optional<ConstantFields> fields = ReadFields();
    if (!fields) return;
    const std::vector<std::size_t> selected = SelectedRows();
    std::optional<std::size_t> current;
    if (!selected.empty()) current = selected.front();
    const std::optional<std::size_t> row = m_model.RowToDelete(*fields, current);
    if (!row) return;
    std::optional<std::size_t> next;
    m_list->Rows().RemoveRowBy(static_cast<int>(*row),
                               [&] { next = m_model.Delete(*fields, current); });
    m_list->selectionModel()->clearSelection();
    if (next) {
        const QModelIndex index = m_list->Rows().index(static_cast<int>(*next), 0);
        m_list->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_list->scrollTo(index);
    }
}

void CConstantDlg::OnReplace() {
    const std::vector<std::size_t> selected = SelectedRows();
    m_model.Replace(selected);
    if (!selected.empty())
        ShowChangedCells(selected.front(), selected.back(), kStepState, kStepState);
}

void CConstantDlg::OnRevert() {
    const std::vector<std::size_t> selected = SelectedRows();
    m_model.Revert(selected);
    if (!selected.empty())
        ShowChangedCells(selected.front(), selected.back(), kStepState, kStepState);
}

void CConstantDlg::OnReplaceAll() {
    m_model.ReplaceAll();
    if (!m_model.rows().empty())
        ShowChangedCells(0, m_model.rows().size() - 1, kStepState, kStepState);
    m_list->viewport()->update();
}

void CConstantDlg::OnRevertAll() {
    m_model.RevertAll();
    if (!m_model.rows().empty())
        ShowChangedCells(0, m_model.rows().size() - 1, kStepState, kStepState);
    m_list->viewport()->update();
}

void CConstantDlg::accept() {
    const StepAcceptOutcome outcome =
        m_model.Accept(m_context.constants, m_context.functions, m_context.sourceFiles);
    if (outcome.message) ShowStepMessage(m_context.prompter, this, *outcome.message);
    if (!outcome.accepted) return;
    QDialog::accept();
}

}  // namespace korvexer::gui
