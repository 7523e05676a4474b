// SPDX-License-Identifier: MIT
// CWorkbenchDlg: controls, layout and handlers of the main window.
#include "gui/app/workbench_dlg.h"

#include <algorithm>
#include <string>
#include <vector>

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSizePolicy>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "core/app/workbench_texts.h"
#include "core/language/language_defaults.h"
#include "gui/app/about_dlg.h"
#include "gui/app/byte_limit_validator.h"
#include "gui/app/failure_text.h"
#include "gui/app/file_chooser.h"
#include "gui/app/name_filter.h"
#include "gui/app/program_icon.h"
#include "gui/app/shell_opener.h"
#include "gui/app/user_guide.h"
#include "gui/controls/font_height.h"
#include "gui/controls/grid_list_ctrl.h"
#include "gui/controls/grid_list_setup.h"
#include "gui/controls/row_list_model.h"
#include "gui/controls/step_button.h"
#include "gui/language/language_dlg.h"
#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

namespace {

QString Shown(std::string_view gbk) {
    return GbkCodec::ToQString(gbk);
}
std::string Taken(const QString& text) {
    return GbkCodec::FromQString(text);
}

// A long path shows its end, where the file's name is; the whole path is the field's tooltip.
void ShowPath(QLineEdit* edit, const std::string& gbkPath) {
    edit->setText(Shown(gbkPath));
    edit->setCursorPosition(static_cast<int>(edit->text().size()));
}

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    // Enter is the window's own key (the close procedure), never a button's default.
    button->setAutoDefault(false);
    return button;
}

QLineEdit* Edit(const char* name, int byteLimit, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new ByteLimitValidator(byteLimit, edit));
    return edit;
}

}  // namespace

CWorkbenchDlg::CWorkbenchDlg(Workbench& model, ProfileStore& settings, Prompter& prompter,
                             FileChooser& chooser, ShellOpener& opener, QWidget* parent)
    : QDialog(parent),
      m_model(model),
      m_settings(settings),
      m_prompter(prompter),
      m_chooser(chooser),
      m_opener(opener) {
    setWindowTitle(QStringLiteral("Korvexer"));
    setWindowIcon(ProgramIcon());
    setFont(font_height::DialogFont());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    Build();
    Connect();
    m_model.Initialise();
    ShowForm();
    // Asked once the window shows, not before it.
    QTimer::singleShot(0, this, &CWorkbenchDlg::OfferRebase);
}

void CWorkbenchDlg::Build() {
    const QFont dialogFont = font_height::DialogFont();

    // Project fields, framed, at the top left.
    auto* project = new QGroupBox(this);
    auto* fields = new QGridLayout(project);
    fields->setHorizontalSpacing(6);
    auto label = [project](const QString& text) {
        auto* shown = new QLabel(text, project);
        shown->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return shown;
    };
    m_company = Edit("company", static_cast<int>(Workbench::kCompanyLimit), project);
    m_product = new QComboBox(project);
    m_product->setObjectName(QStringLiteral("product"));
    m_product->setEditable(true);
    m_product->setInsertPolicy(QComboBox::NoInsert);
    m_refresh = Button(QStringLiteral("刷新设置"), "refresh", project);
    m_language = new QComboBox(project);
    m_language->setObjectName(QStringLiteral("language"));
    for (const char* name : LanguageNames()) m_language->addItem(Shown(name));
    m_languageSettings = Button(QStringLiteral("..."), "languageSettings", project);
    // How the project's source files are read; the entries stand in SourceEncoding's order.
    m_sourceEncoding = new QComboBox(project);
    m_sourceEncoding->setObjectName(QStringLiteral("sourceEncoding"));
    m_sourceEncoding->addItem(QStringLiteral("自动"));
    m_sourceEncoding->addItem(QStringLiteral("GBK"));
    m_sourceEncoding->addItem(QStringLiteral("UTF-8"));
    m_sourceEncoding->setToolTip(
        QStringLiteral("源程序文件的编码：“自动”按每个文件的内容判断（GBK或UTF-8）"));
    m_mainSource = Edit("mainSource", static_cast<int>(Workbench::kPathLimit), project);
    m_browseMainSource = Button(QStringLiteral("..."), "browseMainSource", project);
    m_application = Edit("application", static_cast<int>(Workbench::kPathLimit), project);
    m_browseApplication = Button(QStringLiteral("..."), "browseApplication", project);
    for (QLineEdit* path : {m_mainSource, m_application})
        connect(path, &QLineEdit::textChanged, path, &QLineEdit::setToolTip);
    for (QPushButton* dots : {m_languageSettings, m_browseMainSource, m_browseApplication})
        dots->setFixedWidth(30);

    fields->addWidget(label(QStringLiteral("产品商号：")), 0, 0);
    fields->addWidget(m_company, 0, 1);
    fields->addWidget(label(QStringLiteral("产品型号：")), 1, 0);
    fields->addWidget(m_product, 1, 1);
    fields->addWidget(m_refresh, 0, 2, 2, 1, Qt::AlignVCenter);
    // A field with its "..." takes the room under the refresh button too: paths need it.
    auto withDots = [](QWidget* field, QPushButton* dots) {
        auto* row = new QHBoxLayout;
        row->setSpacing(6);
        row->addWidget(field, 1);
        row->addWidget(dots);
        return row;
    };
    fields->addWidget(label(QStringLiteral("编程语言：")), 2, 0);
    QHBoxLayout* languageRow = withDots(m_language, m_languageSettings);
    languageRow->addSpacing(10);
    languageRow->addWidget(label(QStringLiteral("源码编码：")));
    languageRow->addWidget(m_sourceEncoding);
    fields->addLayout(languageRow, 2, 1, 1, 2);
    fields->addWidget(label(QStringLiteral("入口主源码文件：")), 3, 0);
    fields->addLayout(withDots(m_mainSource, m_browseMainSource), 3, 1, 1, 2);
    fields->addWidget(label(QStringLiteral("可执行程序名：")), 4, 0);
    fields->addLayout(withDots(m_application, m_browseApplication), 4, 1, 1, 2);
    fields->setColumnStretch(1, 1);

    // Source files and their buttons at the top right.
    auto* sourceCaption = new QLabel(
        QStringLiteral("请添加您的几个重要源程序文件，Korvex将对其进行数据保护和功能耦合"), this);
    // One line: Qt would break Chinese text between any two characters.
    sourceCaption->setWordWrap(false);
    m_sourceFiles = new QListWidget(this);
    m_sourceFiles->setObjectName(QStringLiteral("sourceFiles"));
    m_sourceFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    m_sourceFiles->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_sourceFiles->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Made in the order Tab walks them, top to bottom.
    m_add = Button(QStringLiteral("添加"), "add", this);
    m_delete = Button(QStringLiteral("删除"), "delete", this);
    m_deleteAll = Button(QStringLiteral("全删除"), "deleteAll", this);
    m_help = Button(QStringLiteral("帮助"), "help", this);
    m_about = Button(QStringLiteral("关于"), "aboutButton", this);
    auto* sourceButtons = new QVBoxLayout;
    sourceButtons->addWidget(m_add);
    sourceButtons->addWidget(m_delete);
    sourceButtons->addWidget(m_deleteAll);
    sourceButtons->addStretch();
    sourceButtons->addWidget(m_help);
    sourceButtons->addWidget(m_about);
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(m_sourceFiles, 1);
    sourceRow->addLayout(sourceButtons);
    auto* sources = new QVBoxLayout;
    sources->addWidget(sourceCaption);
    sources->addLayout(sourceRow, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(project, 1);
    top->addSpacing(8);
    top->addLayout(sources, 1);

    // The two report lists side by side, each under its step button and caption.
    auto stepColumn = [this, &dialogFont](CStepButton*& button, const QString& buttonText,
                                          const char* buttonName, CGridListCtrl*& list,
                                          const char* listName, const GridListSetup& setup,
                                          RowList& rows, const QString& caption) {
        button = new CStepButton(buttonText, this);
        button->setObjectName(QString::fromLatin1(buttonName));
        button->setAutoDefault(false);
        button->setFixedHeight(46);
        list = new CGridListCtrl(this);
        list->setObjectName(QString::fromLatin1(listName));
        list->Configure(setup, dialogFont);
        list->AttachRows(&rows);
        // A value or a name is its file's own text, shown in the file's encoding.
        list->Rows().SetEncodingLookup(
            [this](const std::string& path) { return m_model.FileEncodingOf(path); });
        // Every column in view at the window's starting size; the list takes the growth.
        list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        auto* column = new QVBoxLayout;
        column->addWidget(button);
        column->addWidget(new QLabel(caption, this));
        column->addWidget(list, 1);
        return column;
    };
    auto* lists = new QHBoxLayout;
    lists->addLayout(stepColumn(m_constantStepButton, QStringLiteral("第二步 数据保护"),
                                "constantStep", m_constantList, "constantList", MainConstantSetup(),
                                m_model.constants(), QStringLiteral("常量数据替换列表：")));
    lists->addSpacing(8);
    lists->addLayout(stepColumn(m_functionStepButton, QStringLiteral("第三步 功能耦合"),
                                "functionStep", m_functionList, "functionList", MainFunctionSetup(),
                                m_model.functions(), QStringLiteral("功能函数替换列表：")));

    m_save = Button(QStringLiteral("保存设置"), "save", this);
    m_close = Button(QStringLiteral("关闭"), "close", this);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_save);
    bottom->addWidget(m_close);

    // A status bar along the bottom edge; its text is the user's to read and copy, not to edit.
    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(true);
    m_status = new QLabel(statusBar);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // A long path must not widen the window: the label is cut instead, its tooltip whole.
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar->addWidget(m_status, 1);

    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(10, 8, 10, 6);
    whole->addLayout(top);
    whole->addSpacing(4);
    whole->addLayout(lists, 1);
    whole->addLayout(bottom);
    whole->addWidget(statusBar);

    // Where the platform offers no system menu, the about item is on the window's own menu.
    m_aboutAction = new QAction(QStringLiteral("关于 Korvexer(&A)..."), this);
    m_aboutAction->setObjectName(QStringLiteral("about"));
    addAction(m_aboutAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    resize(sizeHint().width(), 690);
}

void CWorkbenchDlg::Connect() {
    connect(m_refresh, &QPushButton::clicked, this, &CWorkbenchDlg::OnRefresh);
    connect(m_save, &QPushButton::clicked, this, &CWorkbenchDlg::OnSave);
    connect(m_close, &QPushButton::clicked, this, &CWorkbenchDlg::RunCloseProcedure);
    connect(m_browseApplication, &QPushButton::clicked, this, &CWorkbenchDlg::OnBrowseApplication);
    connect(m_browseMainSource, &QPushButton::clicked, this, &CWorkbenchDlg::OnBrowseMainSource);
    connect(m_language, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &CWorkbenchDlg::OnLanguageChanged);
    connect(m_languageSettings, &QPushButton::clicked, this, &CWorkbenchDlg::OnLanguageSettings);
    connect(m_sourceEncoding, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &CWorkbenchDlg::OnSourceEncodingChanged);
    connect(m_add, &QPushButton::clicked, this, &CWorkbenchDlg::OnAddFiles);
    connect(m_delete, &QPushButton::clicked, this, &CWorkbenchDlg::OnDeleteFile);
    connect(m_deleteAll, &QPushButton::clicked, this, &CWorkbenchDlg::OnDeleteAllFiles);
    // Only a selected entry counts: the current entry a Tab into the list gives is none.
    connect(m_sourceFiles, &QListWidget::itemSelectionChanged, this,
            &CWorkbenchDlg::OnSourceSelectionChanged);
    connect(m_sourceFiles, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (item->isSelected()) OnSourceFileSelected(m_sourceFiles->row(item));
    });
    // Typing is unsaved work: closing asks before it is lost.
    for (QLineEdit* edit : {m_company, m_mainSource, m_application})
        connect(edit, &QLineEdit::textEdited, this, [this] { m_model.FormEdited(); });
    connect(m_product, &QComboBox::editTextChanged, this, [this] { m_model.FormEdited(); });
    connect(m_sourceFiles, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem*) { OnDeleteFile(); });
    connect(m_help, &QPushButton::clicked, this, &CWorkbenchDlg::OnHelp);
    connect(m_about, &QPushButton::clicked, m_aboutAction, &QAction::trigger);
    connect(m_aboutAction, &QAction::triggered, this, &CWorkbenchDlg::OnAbout);
    connect(m_constantStepButton, &QPushButton::clicked, this, [this] { RunStep(m_constantStep); });
    // A double click anywhere in a list, also on the empty list's notice, opens its step.
    connect(m_constantList, &CGridListCtrl::ListDoubleClicked, this,
            [this] { RunStep(m_constantStep); });
    connect(m_functionStepButton, &QPushButton::clicked, this, [this] { RunStep(m_functionStep); });
    connect(m_functionList, &CGridListCtrl::ListDoubleClicked, this,
            [this] { RunStep(m_functionStep); });
}

WorkbenchForm CWorkbenchDlg::TakeForm() const {
    WorkbenchForm form;
    form.company = Taken(m_company->text());
    form.product = Taken(m_product->currentText());
    form.languageIndex = m_language->currentIndex();
    form.sourceEncoding =
        static_cast<SourceEncoding>(std::max(0, m_sourceEncoding->currentIndex()));
    form.mainSourceFile = Taken(m_mainSource->text());
    form.applicationFile = Taken(m_application->text());
    return form;
}

void CWorkbenchDlg::ShowForm() {
    const WorkbenchForm form = m_model.Form();
    m_company->setText(Shown(form.company));
    {
        const QSignalBlocker block(m_language);
        m_language->setCurrentIndex(
            form.languageIndex >= 0 && form.languageIndex < m_language->count() ? form.languageIndex
                                                                                : -1);
    }
    {
        const QSignalBlocker block(m_sourceEncoding);
        m_sourceEncoding->setCurrentIndex(static_cast<int>(form.sourceEncoding));
    }
    ShowPath(m_mainSource, form.mainSourceFile);
    ShowPath(m_application, form.applicationFile);
    {
        const QSignalBlocker block(m_product);
        m_product->clear();
        const ProductComboEntries& products = m_model.products();
        for (const std::string& entry : products.entries) m_product->addItem(Shown(entry));
        if (products.selected >= 0) m_product->setCurrentIndex(products.selected);
        m_product->setEditText(Shown(form.product));
    }
    ShowSourceFiles();
    ShowLists();
}

void CWorkbenchDlg::ShowSourceFiles() {
    const SourceFileList& files = m_model.sourceFiles();
    {
        // A selection the program makes does not reach the status line.
        const QSignalBlocker block(m_sourceFiles);
        m_sourceFiles->clear();
        for (const std::string& entry : files.entries()) {
            m_sourceFiles->addItem(Shown(entry));
            m_sourceFiles->item(m_sourceFiles->count() - 1)->setToolTip(Shown(entry));
        }
        if (files.selected() != SourceFileList::kNone)
            m_sourceFiles->setCurrentRow(static_cast<int>(files.selected()));
    }
    m_delete->setEnabled(files.deleteEnabled());
    m_deleteAll->setEnabled(files.deleteAllEnabled());
    ShowStatus();
}

void CWorkbenchDlg::ShowStatus() {
    m_status->setText(Shown(m_model.statusText()));
    m_status->setToolTip(m_status->text());
}

void CWorkbenchDlg::ShowLists() {
    m_constantList->Rows().Reload();
    m_functionList->Rows().Reload();
}

Prompter::Answer CWorkbenchDlg::Ask(const WorkbenchMessage& message) {
    Prompter::Icon icon = Prompter::Icon::Information;
    if (message.icon == MessageIcon::Exclamation) icon = Prompter::Icon::Exclamation;
    if (message.icon == MessageIcon::Question) icon = Prompter::Icon::Question;
    const Prompter::Buttons buttons =
        message.buttons == MessageButtons::YesNo ? Prompter::Buttons::YesNo : Prompter::Buttons::Ok;
    return m_prompter.Show(this, FailureText(message.text, message.failures),
                           Shown(message.caption), icon, buttons);
}

void CWorkbenchDlg::ShowError(std::string_view text) {
    Ask(WorkbenchMessage{std::string(text), std::string(texts::kCaptionInformation),
                         MessageIcon::Exclamation, MessageButtons::Ok});
}

Prompter::Answer CWorkbenchDlg::Carry(const WorkbenchOutcome& outcome) {
    Prompter::Answer answer = Prompter::Answer::Ok;
    if (outcome.message) answer = Ask(*outcome.message);
    QWidget* focus = nullptr;
    switch (outcome.focus) {
        case WorkbenchField::Company:
            focus = m_company;
            break;
        case WorkbenchField::Product:
            focus = m_product;
            break;
        case WorkbenchField::MainSourceFile:
            focus = m_mainSource;
            break;
        case WorkbenchField::ApplicationFile:
            focus = m_application;
            break;
        case WorkbenchField::None:
            break;
    }
    if (focus) focus->setFocus(Qt::OtherFocusReason);
    if (outcome.closeWindow) EndDialog();
    return answer;
}

void CWorkbenchDlg::EndDialog() {
    m_ending = true;
    done(QDialog::Rejected);
}

void CWorkbenchDlg::RunCloseProcedure() {
    bool saveFirst = false;
    if (const std::optional<WorkbenchMessage> question = m_model.CloseQuestion())
        saveFirst = Ask(*question) == Prompter::Answer::Yes;
    const WorkbenchOutcome outcome = m_model.Close(TakeForm(), saveFirst);
    // A save that ran refilled the product entries, whether it then stopped or not.
    if (saveFirst && !outcome.closeWindow && outcome.refreshForm) ShowForm();
    Carry(outcome);
}

void CWorkbenchDlg::accept() {
    RunCloseProcedure();
}

void CWorkbenchDlg::reject() {
    RunCloseProcedure();
}

void CWorkbenchDlg::closeEvent(QCloseEvent* event) {
    if (m_ending) {
        event->accept();
        return;
    }
    event->ignore();
    RunCloseProcedure();
}

void CWorkbenchDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        QWidget* focus = focusWidget();
        // A focused button takes Enter as its click.
        if (auto* button = qobject_cast<QPushButton*>(focus); button && isAncestorOf(button)) {
            button->click();
            return;
        }
        // In the project fields Enter moves on, and in the last one offers to save: what was
        // typed is never lost to a closing window.
        const QList<QWidget*> fields = FormFields();
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (focus == nullptr || (focus != fields[i] && !fields[i]->isAncestorOf(focus)))
                continue;
            if (i + 1 < fields.size())
                fields[i + 1]->setFocus(Qt::TabFocusReason);
            else
                OfferSave();
            return;
        }
        RunCloseProcedure();
        return;
    }
    QDialog::keyPressEvent(event);  // Esc arrives as reject()
}

QList<QWidget*> CWorkbenchDlg::FormFields() const {
    return {m_company, m_product, m_language, m_sourceEncoding, m_mainSource, m_application};
}

void CWorkbenchDlg::OfferSave() {
    if (m_prompter.Show(this, QStringLiteral("要保存设置吗？"), Shown(texts::kCaptionSystem),
                        Prompter::Icon::Question,
                        Prompter::Buttons::YesNo) == Prompter::Answer::Yes)
        OnSave();
}

void CWorkbenchDlg::OnRefresh() {
    const WorkbenchOutcome outcome = m_model.Refresh(TakeForm());
    if (outcome.refreshForm) ShowForm();
    Carry(outcome);
    if (outcome.completed) OfferRebase();
}

void CWorkbenchDlg::OfferRebase() {
    const std::optional<WorkbenchMessage> question = m_model.MoveQuestion();
    const std::optional<ProjectMove> move = m_model.ProjectMoved();
    if (!question || !move || Ask(*question) != Prompter::Answer::Yes) return;
    const WorkbenchOutcome outcome = m_model.RebaseRecord(move->recordFolder, move->projectFolder);
    if (outcome.refreshForm) {
        ShowSourceFiles();
        ShowLists();
    }
    Carry(outcome);
}

void CWorkbenchDlg::OnSave() {
    const WorkbenchOutcome outcome = m_model.Save(TakeForm());
    if (outcome.refreshForm || outcome.completed) ShowForm();
    Carry(outcome);
}

void CWorkbenchDlg::OnBrowseApplication() {
    const QString chosen = m_chooser.ChooseFile(
        this, DialogFilters(Workbench::ApplicationFileFilters(), FilterPurpose::ApplicationFile),
        Shown(m_model.ApplicationBrowseFolder()));
    std::vector<std::string> path = TakeChosenPaths({chosen});
    if (path.empty()) return;
    const WorkbenchOutcome outcome = m_model.ChooseApplicationFile(path.front());
    // Only this field changes: what was typed into the others stays as typed.
    if (outcome.completed) ShowPath(m_application, m_model.settings().applicationFile);
    Carry(outcome);
}

void CWorkbenchDlg::OnBrowseMainSource() {
    const QString chosen = m_chooser.ChooseFile(
        this, DialogFilters(m_model.SourceFileFilters(), FilterPurpose::SourceFiles),
        Shown(m_model.MainSourceBrowseFolder()));
    std::vector<std::string> path = TakeChosenPaths({chosen});
    if (path.empty()) return;
    const WorkbenchOutcome outcome = m_model.ChooseMainSourceFile(path.front());
    if (outcome.completed) ShowPath(m_mainSource, m_model.settings().mainSourceFile);
    Carry(outcome);
}

std::vector<std::string> CWorkbenchDlg::TakeChosenPaths(const QStringList& chosen) {
    std::vector<std::string> paths;
    QStringList refused;
    for (const QString& path : chosen) {
        bool exact = true;
        std::string bytes = GbkCodec::FromQString(path, &exact);
        // With a '?' in place of the character it would name another file, or none.
        if (exact)
            paths.push_back(std::move(bytes));
        else
            refused << path;
    }
    if (!refused.isEmpty()) {
        m_prompter.Show(this,
                        QStringLiteral("以下文件的路径中有GBK编码无法表示的字符，不能使用：\n") +
                            refused.join(QLatin1Char('\n')) +
                            QStringLiteral("\n请将文件改名或移到其他文件夹后再选择。"),
                        Shown(texts::kCaptionInformation), Prompter::Icon::Information,
                        Prompter::Buttons::Ok);
    }
    return paths;
}

void CWorkbenchDlg::OnLanguageChanged(int index) {
    m_model.ChangeLanguage(index);
}

void CWorkbenchDlg::OnSourceEncodingChanged(int index) {
    if (index < 0) return;
    m_model.ChangeSourceEncoding(static_cast<SourceEncoding>(index));
    // The lists show their values in the files' encodings, which the choice decides.
    ShowLists();
}

void CWorkbenchDlg::OnLanguageSettings() {
    CLanguageDlg dialog(m_settings, m_language->currentIndex(), m_prompter, this);
    if (dialog.exec() == QDialog::Accepted) m_model.LanguageSettingsAccepted();
}

void CWorkbenchDlg::OnAddFiles() {
    const QStringList chosen = m_chooser.ChooseFiles(
        this, DialogFilters(m_model.SourceFileFilters(), FilterPurpose::SourceFiles), QString());
    const WorkbenchOutcome outcome = m_model.AddSourceFiles(TakeChosenPaths(chosen));
    ShowSourceFiles();
    Carry(outcome);
}

void CWorkbenchDlg::OnDeleteFile() {
    const WorkbenchOutcome outcome = m_model.DeleteSelectedSourceFile();
    ShowSourceFiles();
    Carry(outcome);
}

void CWorkbenchDlg::OnDeleteAllFiles() {
    const std::optional<WorkbenchMessage> question = m_model.DeleteAllQuestion();
    if (!question || Ask(*question) != Prompter::Answer::Yes) return;
    const WorkbenchOutcome outcome = m_model.DeleteAllSourceFiles();
    ShowSourceFiles();
    Carry(outcome);
}

void CWorkbenchDlg::OnSourceSelectionChanged() {
    const QList<QListWidgetItem*> selected = m_sourceFiles->selectedItems();
    if (!selected.isEmpty()) {
        OnSourceFileSelected(m_sourceFiles->row(selected.front()));
        return;
    }
    m_model.DeselectSourceFile();
    m_delete->setEnabled(m_model.sourceFiles().deleteEnabled());
}

void CWorkbenchDlg::OnSourceFileSelected(int row) {
    if (row < 0 || !m_model.SelectSourceFile(static_cast<std::size_t>(row))) return;
    m_delete->setEnabled(m_model.sourceFiles().deleteEnabled());
    ShowStatus();
}

void CWorkbenchDlg::OnHelp() {
    std::string guide;
    switch (LoadUserGuide(guide)) {
        case UserGuideLoad::Missing:
            ShowError(texts::kHelpNotFound);
            return;
        case UserGuideLoad::Unreadable:
            ShowError(texts::kHelpLoadFailed);
            return;
        case UserGuideLoad::Loaded:
            break;
    }
    const WorkbenchOutcome outcome = m_model.WriteHelp(GuideForPlatform(guide));
    Carry(outcome);
    if (!outcome.fileToOpen.empty()) m_opener.Open(Shown(outcome.fileToOpen));
}

void CWorkbenchDlg::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CWorkbenchDlg::RunStep(const StepHook& hook) {
    if (const std::optional<WorkbenchOutcome> refused = m_model.CheckStepOpening()) {
        Carry(*refused);
        return;
    }
    if (!hook) return;
    const bool accepted = hook();
    // The step's scan may have noticed something about the sources that a setting mends.
    ShowStatus();
    if (!accepted) return;
    const WorkbenchOutcome outcome = m_model.SaveRecordAfterStep();
    ShowLists();
    Carry(outcome);
}

}  // namespace korvexer::gui
