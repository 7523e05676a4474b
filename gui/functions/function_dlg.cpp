// SPDX-License-Identifier: MIT
// CFunctionDlg: layout, the handlers of its lists and buttons, and how it shows the model.
#include "gui/functions/function_dlg.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

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

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CFunctionDlg::CFunctionDlg(const StepContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_model(context.fs, context.language, m_rows) {
    Build();
    Connect();
    m_model.SetSourceEncoding(m_context.sourceEncoding);
    // Files that cannot be read add no rows; OK names them with the files it could not write.
    m_model.Open(m_context.functions, &m_context.sourceFiles, m_context.mainSourceFile);
    m_list->Rows().SetEncodingLookup(
        [this](const std::string& path) { return m_model.sources().EncodingOf(path); });
    m_list->AttachRows(&m_rows);
    ShowStepNotices(m_notices, m_model.sources().NoticeLines());
}

void CFunctionDlg::Build() {
    setWindowTitle(QStringLiteral("功能耦合"));
    setFont(font_height::DialogFont());
    setModal(true);

    m_list = new CGridListCtrl(this);
    m_list->setObjectName(QStringLiteral("callList"));
    m_list->Configure(FunctionDialogSetup(), font_height::DialogFont());
    // What OK will do to the selected call: the rewrite's own plan over the rows as they stand.
    m_preview = new CStepPreviewPane(
        [this] {
            std::vector<std::size_t> chosen;
            if (const std::optional<std::size_t> row = SelectedRow()) chosen.push_back(*row);
            return PreviewRows(m_rows, chosen, ListKind::Functions, m_context.language,
                               m_context.fs, m_context.sourceEncoding);
        },
        this);
    m_notices = new QLabel(this);
    m_notices->setObjectName(QStringLiteral("notices"));

    // The model keeps the catalogue in the order the list shows it, so positions agree; the
    // widget itself must not sort again.
    m_catalogue = new QListWidget(this);
    m_catalogue->setObjectName(QStringLiteral("catalogue"));
    m_catalogue->setSelectionMode(QAbstractItemView::SingleSelection);
    m_catalogue->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (const std::string& entry : m_model.catalogue())
        m_catalogue->addItem(GbkCodec::ToQString(entry));

    m_entryText = new QLineEdit(this);
    m_entryText->setObjectName(QStringLiteral("entryText"));
    m_entryText->setReadOnly(true);

    m_replace = Button(QStringLiteral("替换"), "replace", this);
    m_revert = Button(QStringLiteral("撤销"), "revert", this);
    m_ok = Button(QStringLiteral("确定"), "ok", this);
    m_ok->setDefault(true);
    m_cancel = Button(QStringLiteral("取消"), "cancel", this);

    // The call list on the left and the catalogue on the right, each under its caption; the
    // selected entry's text, the note and the buttons below them.
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("从应用程序文件中提取函数列表："), this));
    left->addWidget(m_list, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Korvex客户端提供函数列表："), this));
    right->addWidget(m_catalogue, 1);
    auto* lists = new QHBoxLayout;
    lists->addLayout(left, 3);
    lists->addLayout(right, 2);

    auto* note = new QLabel(QStringLiteral("在上面左右两个列表框中选择好要进行替换的函数名对，"
                                           "然后按“替换”按钮进行替换。按“撤销”按钮取消。"),
                            this);
    note->setObjectName(QStringLiteral("note"));
    note->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_replace);
    buttons->addWidget(m_revert);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(m_entryText);
    layout->addWidget(m_preview);
    layout->addWidget(m_notices);
    layout->addWidget(note);
    layout->addLayout(buttons);
    resize(630, 580);
}

void CFunctionDlg::Connect() {
    connect(m_list, &QAbstractItemView::clicked, this, [this] { OnCallClicked(); });
    // The preview follows the selection and every change of the rows' substitutes and states.
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, m_preview,
            &CStepPreviewPane::Schedule);
    connect(&m_list->Rows(), &QAbstractItemModel::dataChanged, m_preview,
            &CStepPreviewPane::Schedule);
    connect(m_catalogue, &QListWidget::itemSelectionChanged, this, [this] { OnEntrySelected(); });
    // A click on the entry that a proposal already selected shows its text as well.
    connect(m_catalogue, &QListWidget::itemClicked, this, [this] { OnEntrySelected(); });
    connect(m_catalogue, &QListWidget::itemDoubleClicked, this, [this] { OnEntryDoubleClicked(); });
    connect(m_replace, &QPushButton::clicked, this, [this] { OnReplace(); });
    connect(m_revert, &QPushButton::clicked, this, [this] { OnRevert(); });
    connect(m_ok, &QPushButton::clicked, this, &CFunctionDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CFunctionDlg::reject);
}

std::optional<std::size_t> CFunctionDlg::SelectedRow() const {
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    if (rows.isEmpty()) return std::nullopt;
    return static_cast<std::size_t>(rows.front().row());
}

std::optional<std::size_t> CFunctionDlg::SelectedEntry() const {
    const QModelIndexList entries = m_catalogue->selectionModel()->selectedRows();
    if (entries.isEmpty()) return std::nullopt;
    return static_cast<std::size_t>(entries.front().row());
}

void CFunctionDlg::ShowChangedRow(std::size_t row) {
    m_list->Rows().ShowChangedCells(static_cast<int>(row), static_cast<int>(row), kStepValue,
                                    kStepState);
}

void CFunctionDlg::OnCallClicked() {
    const std::optional<std::size_t> row = SelectedRow();
    if (!row) return;
    const std::optional<std::size_t> entry = m_model.ProposeEntry(*row);
    if (!entry) return;
    // A proposal is no choice of the user's: the entry text stays as it was.
    const QSignalBlocker quiet(m_catalogue);
    m_catalogue->setCurrentRow(static_cast<int>(*entry), QItemSelectionModel::ClearAndSelect);
    m_catalogue->scrollToItem(m_catalogue->item(static_cast<int>(*entry)));
}

void CFunctionDlg::OnEntrySelected() {
    const std::optional<std::size_t> entry = SelectedEntry();
    m_entryText->setText(entry ? GbkCodec::ToQString(m_model.EntryText(*entry)) : QString());
    m_entryText->setCursorPosition(0);
}

void CFunctionDlg::OnEntryDoubleClicked() {
    const std::optional<std::size_t> row = SelectedRow();
    if (row && m_model.Toggle(*row, SelectedEntry())) ShowChangedRow(*row);
}

void CFunctionDlg::OnReplace() {
    const std::optional<std::size_t> row = SelectedRow();
    if (row && m_model.Replace(*row, SelectedEntry())) ShowChangedRow(*row);
}

void CFunctionDlg::OnRevert() {
    const std::optional<std::size_t> row = SelectedRow();
    if (row && m_model.Revert(*row)) ShowChangedRow(*row);
}

void CFunctionDlg::accept() {
    const StepAcceptOutcome outcome =
        m_model.Accept(m_context.functions, m_context.constants, m_context.sourceFiles);
    if (outcome.message) ShowStepMessage(m_context.prompter, this, *outcome.message);
    if (!outcome.accepted) return;
    QDialog::accept();
}

}  // namespace korvexer::gui
