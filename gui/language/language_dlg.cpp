// SPDX-License-Identifier: MIT
// CLanguageDlg: controls, layout and the four buttons of the language settings dialog.
#include "gui/language/language_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/app/workbench_texts.h"
#include "core/language/language_defaults.h"
#include "gui/app/failure_text.h"
#include "gui/app/byte_limit_validator.h"
#include "gui/controls/font_height.h"
#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

namespace {

QString Shown(const std::string& gbk) {
    return GbkCodec::ToQString(gbk);
}
std::string Taken(const QLineEdit* edit) {
    return GbkCodec::FromQString(edit->text());
}

QLabel* Label(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

}  // namespace

CLanguageDlg::CLanguageDlg(ProfileStore& settings, std::int32_t initialIndex, Prompter& prompter,
                           QWidget* parent)
    : QDialog(parent), m_settings(settings), m_prompter(prompter) {
    setWindowTitle(QStringLiteral("编程语言设置"));
    setFont(font_height::DialogFont());
    Build();
    m_language->setCurrentIndex(
        initialIndex >= 0 && initialIndex < m_language->count() ? initialIndex : -1);
    LoadSelected(true);
    connect(m_language, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int) { LoadSelected(true); });
}

QLineEdit* CLanguageDlg::AddEdit(const char* name, int byteLimit) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new ByteLimitValidator(byteLimit, edit));
    return edit;
}

void CLanguageDlg::Build() {
    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("language"));
    for (const char* name : LanguageNames()) m_language->addItem(GbkCodec::ToQString(name));

    m_assignEquals = new QRadioButton(QStringLiteral("="), this);
    m_assignEquals->setObjectName(QStringLiteral("assignEquals"));
    m_assignColon = new QRadioButton(QStringLiteral(":="), this);
    m_assignColon->setObjectName(QStringLiteral("assignColon"));
    m_quoteDouble = new QRadioButton(QStringLiteral("双引号"), this);
    m_quoteDouble->setObjectName(QStringLiteral("quoteDouble"));
    m_quoteSingle = new QRadioButton(QStringLiteral("单引号"), this);
    m_quoteSingle->setObjectName(QStringLiteral("quoteSingle"));
    // Each pair is its own group, so choosing a quote does not clear the assignment symbol.
    auto* assignGroup = new QButtonGroup(this);
    assignGroup->addButton(m_assignEquals);
    assignGroup->addButton(m_assignColon);
    auto* quoteGroup = new QButtonGroup(this);
    quoteGroup->addButton(m_quoteDouble);
    quoteGroup->addButton(m_quoteSingle);
    m_cr = new QCheckBox(QStringLiteral("回车"), this);
    m_cr->setObjectName(QStringLiteral("cr"));
    m_lf = new QCheckBox(QStringLiteral("换行"), this);
    m_lf->setObjectName(QStringLiteral("lf"));

    m_linendchar = AddEdit("linendchar", 1);
    m_onelineexplain = AddEdit("onelineexplain", 5);
    m_escapechar = AddEdit("escapechar", 1);
    m_multilineBegin = AddEdit("multilinenote_begin", 5);
    m_multilineEnd = AddEdit("multilinenote_end", 5);
    m_hexprefix = AddEdit("hexprefix", 8);
    m_numbersubfix = AddEdit("numbersubfix", 8);
    m_filesubfix = AddEdit("filesubfix", 32);
    m_separator = AddEdit("separator", 1);
    m_begindealmark = AddEdit("begindealmark", 128);
    m_functionbegin = AddEdit("functionbegin", 128);
    m_functionend = AddEdit("functionend", 32);
    m_definevalue = AddEdit("definevalue", 128);

    auto pair = [this](QWidget* first, QWidget* second) {
        auto* box = new QWidget(this);
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(first);
        row->addWidget(second);
        row->addStretch();
        return box;
    };

    // Upper part: the language list, then rows of two label-and-field pairs.
    auto* upper = new QGridLayout;
    upper->setHorizontalSpacing(6);
    upper->addWidget(Label(QStringLiteral("编程语言："), this), 0, 0);
    upper->addWidget(m_language, 0, 1, 1, 3);
    upper->addWidget(Label(QStringLiteral("赋值符号："), this), 1, 0);
    upper->addWidget(pair(m_assignEquals, m_assignColon), 1, 1);
    upper->addWidget(Label(QStringLiteral("引号类型："), this), 1, 2);
    upper->addWidget(pair(m_quoteDouble, m_quoteSingle), 1, 3);
    upper->addWidget(Label(QStringLiteral("语句结束符："), this), 2, 0);
    upper->addWidget(m_linendchar, 2, 1);
    upper->addWidget(Label(QStringLiteral("行结束符："), this), 2, 2);
    upper->addWidget(pair(m_cr, m_lf), 2, 3);
    upper->addWidget(Label(QStringLiteral("单行注释符号："), this), 3, 0);
    upper->addWidget(m_onelineexplain, 3, 1);
    upper->addWidget(Label(QStringLiteral("转意字符："), this), 3, 2);
    upper->addWidget(m_escapechar, 3, 3);
    upper->addWidget(Label(QStringLiteral("多行注释开始符号："), this), 4, 0);
    upper->addWidget(m_multilineBegin, 4, 1);
    upper->addWidget(Label(QStringLiteral("注释结束符号："), this), 4, 2);
    upper->addWidget(m_multilineEnd, 4, 3);
    upper->addWidget(Label(QStringLiteral("十六进制数前缀："), this), 5, 0);
    upper->addWidget(m_hexprefix, 5, 1);
    upper->addWidget(Label(QStringLiteral("数值常量可带后缀："), this), 5, 2);
    upper->addWidget(m_numbersubfix, 5, 3);

    // Lower part: the statement rules in a frame.
    auto* frame = new QGroupBox(this);
    auto* lower = new QGridLayout(frame);
    lower->addWidget(Label(QStringLiteral("源码文件后缀："), frame), 0, 0);
    lower->addWidget(m_filesubfix, 0, 1);
    lower->addWidget(Label(QStringLiteral("参数间分割符："), frame), 0, 2);
    lower->addWidget(m_separator, 0, 3);
    lower->addWidget(Label(QStringLiteral("语句开始处理标记："), frame), 1, 0);
    lower->addWidget(m_begindealmark, 1, 1, 1, 3);
    lower->addWidget(Label(QStringLiteral("函数体开始标记："), frame), 2, 0);
    lower->addWidget(m_functionbegin, 2, 1);
    lower->addWidget(Label(QStringLiteral("结束标记："), frame), 2, 2);
    lower->addWidget(m_functionend, 2, 3);
    lower->addWidget(Label(QStringLiteral("变量定义关键字："), frame), 3, 0);
    lower->addWidget(m_definevalue, 3, 1, 1, 3);
    lower->setColumnStretch(1, 3);
    lower->setColumnStretch(3, 1);

    auto* restore = new QPushButton(QStringLiteral("恢复默认值"), this);
    restore->setObjectName(QStringLiteral("restoreDefaults"));
    auto* apply = new QPushButton(QStringLiteral("应用"), this);
    apply->setObjectName(QStringLiteral("apply"));
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(restore, &QPushButton::clicked, this, [this] { LoadSelected(false); });
    connect(apply, &QPushButton::clicked, this, [this] { StoreSelected(); });
    connect(ok, &QPushButton::clicked, this, &CLanguageDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CLanguageDlg::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(restore);
    buttons->addWidget(apply);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(upper);
    left->addWidget(frame);
    auto* whole = new QHBoxLayout(this);
    whole->addLayout(left, 1);
    whole->addSpacing(10);
    whole->addLayout(buttons);
}

std::int32_t CLanguageDlg::SelectedIndex() const {
    return m_language->currentIndex();
}

LanguageDialogFields CLanguageDlg::ShownFields() const {
    LanguageDialogFields fields;
    fields.assignmentChoice = m_assignColon->isChecked() ? 1 : 0;
    fields.quoteChoice = m_quoteSingle->isChecked() ? 1 : 0;
    fields.linendchar = Taken(m_linendchar);
    fields.crTicked = m_cr->isChecked();
    fields.lfTicked = m_lf->isChecked();
    fields.onelineexplain = Taken(m_onelineexplain);
    fields.escapechar = Taken(m_escapechar);
    fields.multilinenote_begin = Taken(m_multilineBegin);
    fields.multilinenote_end = Taken(m_multilineEnd);
    fields.hexprefix = Taken(m_hexprefix);
    fields.numbersubfix = Taken(m_numbersubfix);
    fields.filesubfix = Taken(m_filesubfix);
    fields.separator = Taken(m_separator);
    fields.begindealmark = Taken(m_begindealmark);
    fields.functionbegin = Taken(m_functionbegin);
    fields.functionend = Taken(m_functionend);
    fields.definevalue = Taken(m_definevalue);
    return fields;
}

void CLanguageDlg::ShowFields(const LanguageDialogFields& fields) {
    (fields.assignmentChoice == 0 ? m_assignEquals : m_assignColon)->setChecked(true);
    (fields.quoteChoice == 0 ? m_quoteDouble : m_quoteSingle)->setChecked(true);
    m_linendchar->setText(Shown(fields.linendchar));
    m_cr->setChecked(fields.crTicked);
    m_lf->setChecked(fields.lfTicked);
    m_onelineexplain->setText(Shown(fields.onelineexplain));
    m_escapechar->setText(Shown(fields.escapechar));
    m_multilineBegin->setText(Shown(fields.multilinenote_begin));
    m_multilineEnd->setText(Shown(fields.multilinenote_end));
    m_hexprefix->setText(Shown(fields.hexprefix));
    m_numbersubfix->setText(Shown(fields.numbersubfix));
    m_filesubfix->setText(Shown(fields.filesubfix));
    m_separator->setText(Shown(fields.separator));
    m_begindealmark->setText(Shown(fields.begindealmark));
    m_functionbegin->setText(Shown(fields.functionbegin));
    m_functionend->setText(Shown(fields.functionend));
    m_definevalue->setText(Shown(fields.definevalue));
}

void CLanguageDlg::LoadSelected(bool fromSettings) {
    // Edits not applied are dropped: the fields start from what the controls show and are then
    // overwritten by the selected language's values (a negative selection keeps them).
    LanguageDialogFields fields = ShownFields();
    LoadDialogFields(fromSettings ? &m_settings : nullptr, SelectedIndex(), fields);
    ShowFields(fields);
}

bool CLanguageDlg::StoreSelected() {
    const Status stored = SaveDialogFields(m_settings, SelectedIndex(), ShownFields());
    if (stored) return true;
    m_prompter.Show(this,
                    FailureText(texts::kSettingsWriteFailed, stored.error(), m_settings.path()),
                    GbkCodec::ToQString(texts::kCaptionSystem), Prompter::Icon::Information,
                    Prompter::Buttons::Ok);
    return false;
}

void CLanguageDlg::accept() {
    // The user's edits stay on screen when they could not be stored, to try again or cancel.
    if (StoreSelected()) QDialog::accept();
}

}  // namespace korvexer::gui
