// SPDX-License-Identifier: MIT
// Tests of CWorkbenchDlg through fakes: the handlers, the close procedure and its keys.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <string>

#include "core/app/workbench.h"
#include "core/app/workbench_texts.h"
#include "core/platform/file_system.h"
#include "core/platform/profile_store.h"
#include "core/record/record_file.h"
#include "core/list/list_texts.h"
#include "gui/app/about_dlg.h"
#include "gui/app/user_guide.h"
#include "gui/app/workbench_dlg.h"
#include "gui/controls/grid_list_ctrl.h"
#include "gui/language/language_dlg.h"
#include "gui/text/gbk_codec.h"
#include "gui_fakes.h"

using korvexer::FileSystem;
using korvexer::ProfileStore;
using korvexer::Workbench;
using korvexer::gui::CWorkbenchDlg;
using korvexer::gui::GbkCodec;
using korvexer::gui::Prompter;
using korvexer::gui::test_support::FakeFileChooser;
using korvexer::gui::test_support::FakePrompter;
using korvexer::gui::test_support::FakeShellOpener;
namespace texts = korvexer::texts;

namespace {

QString Q(std::string_view gbk) {
    return GbkCodec::ToQString(gbk);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A settings file, the model over it, the fakes and the window, in a temporary folder.
struct Fixture {
    explicit Fixture(const QByteArray& settingsText = QByteArray()) {
        path = dir.filePath(QStringLiteral("korvexer.ini"));
        if (!settingsText.isEmpty()) WriteAll(path, settingsText);
        settings = std::make_unique<ProfileStore>(FileSystem::Real(), path.toStdString());
        model = std::make_unique<Workbench>(FileSystem::Real(), *settings);
        window = std::make_unique<CWorkbenchDlg>(*model, *settings, prompter, chooser, opener);
        window->show();
        exposed = QTest::qWaitForWindowExposed(window.get());
    }
    template <typename T>
    T* Child(const char* name) const {
        T* child = window->findChild<T*>(QString::fromLatin1(name));
        if (!child) qFatal("no control %s", name);
        return child;
    }
    QLineEdit* Edit(const char* name) const { return Child<QLineEdit>(name); }
    void Click(const char* name) const { Child<QPushButton>(name)->click(); }
    void Fill(const QString& company, const QString& product, const QString& main,
              const QString& application) const {
        Edit("company")->setText(company);
        Child<QComboBox>("product")->setEditText(product);
        Edit("mainSource")->setText(main);
        Edit("application")->setText(application);
    }
    QString File(const QString& name) const { return dir.filePath(name); }
    QStringList Texts() const {
        QStringList result;
        for (const auto& box : prompter.shown) result << box.text;
        return result;
    }

    QTemporaryDir dir;
    QString path;
    FakePrompter prompter;
    FakeFileChooser chooser;
    FakeShellOpener opener;
    std::unique_ptr<ProfileStore> settings;
    std::unique_ptr<Workbench> model;
    std::unique_ptr<CWorkbenchDlg> window;
    bool exposed = false;
};

// Makes the model's dirty flag set, through the language combo as a user would.
void MakeDirty(Fixture& f) {
    auto* language = f.Child<QComboBox>("language");
    language->setCurrentIndex((language->currentIndex() + 1) % language->count());
    QVERIFY(f.model->dirty());
}

}  // namespace

class WorkbenchDlgTest : public QObject {
    Q_OBJECT
private slots:
    void showsCaptionControlsAndInitialButtonStates() {
        Fixture f;
        QVERIFY(f.exposed);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Korvexer"));
        QCOMPARE(f.Child<QComboBox>("language")->count(), 7);
        QCOMPARE(f.Child<QComboBox>("language")->currentIndex(), 0);
        QVERIFY(f.Child<QComboBox>("product")->isEditable());
        QVERIFY(!f.Child<QPushButton>("delete")->isEnabled());
        QVERIFY(!f.Child<QPushButton>("deleteAll")->isEnabled());
        // The status line is a status bar's text: to read and copy, not an edit field.
        auto* status = f.Child<QLabel>("status");
        QVERIFY(qobject_cast<QStatusBar*>(status->parentWidget()));
        QCOMPARE(f.Child<QPushButton>("constantStep")->text(), QStringLiteral("第二步 数据保护"));
        QCOMPARE(f.Child<QPushButton>("functionStep")->text(), QStringLiteral("第三步 功能耦合"));
        QCOMPARE(f.window->ConstantList().model()->columnCount(), 5);
        QCOMPARE(f.window->FunctionList().model()->columnCount(), 5);
    }

    void loadsTheLastSavedProject() {
        Fixture f(
            "[Common Data]\r\nCompanyID=ACME\r\nProductID=B2\r\n"
            "[ACME]\r\nProductIDList=B2;A1;\r\n"
            "[ACME B2]\r\nLanguageIndex=4\r\nMainPrgFile=/p/Main.java\r\n");
        QCOMPARE(f.Edit("company")->text(), QStringLiteral("ACME"));
        auto* product = f.Child<QComboBox>("product");
        QCOMPARE(product->count(), 2);
        QCOMPARE(product->currentText(), QStringLiteral("B2"));
        QCOMPARE(f.Child<QComboBox>("language")->currentIndex(), 4);
        QCOMPARE(f.Edit("mainSource")->text(), QStringLiteral("/p/Main.java"));
        QVERIFY(!f.model->dirty());
    }

    void sourceEncodingComboDecodesTheListsAndIsSaved() {
        // A recorded value of a UTF-8 file: "好" as the file's own three bytes.
        QTemporaryDir project;
        const std::string main = project.filePath(QStringLiteral("m.cpp")).toStdString();
        const std::string app = project.filePath(QStringLiteral("app.exe")).toStdString();
        WriteAll(QString::fromStdString(main), "s = \"\xE5\xA5\xBD\";\n");
        korvexer::RecordLists record;
        record.constants.Append(
            {"1100", std::string(korvexer::texts::kTypeString), "\xE5\xA5\xBD", main, "1:4"});
        QVERIFY(
            korvexer::WriteRecordFile(FileSystem::Real(), korvexer::RecordFilePath(app), record));
        Fixture f(QByteArray("[Common Data]\r\nCompanyID=C\r\nProductID=P\r\n[C]\r\n"
                             "ProductIDList=P;\r\n[C P]\r\nMainPrgFile=") +
                  main.c_str() + "\r\nApplication=" + app.c_str() + "\r\n");
        auto* encoding = f.Child<QComboBox>("sourceEncoding");
        QCOMPARE(encoding->count(), 3);
        QCOMPARE(encoding->itemText(0), QStringLiteral("自动"));
        QCOMPARE(encoding->itemText(1), QStringLiteral("GBK"));
        QCOMPARE(encoding->itemText(2), QStringLiteral("UTF-8"));
        QCOMPARE(encoding->currentIndex(), 0);  // no key: automatic
        const QAbstractItemModel* list = f.window->ConstantList().model();
        QCOMPARE(list->data(list->index(0, 2)).toString(), QStringLiteral("好"));
        QVERIFY(!f.model->dirty());

        // Fixed to GBK, the same bytes are GBK text; the choice is unsaved work, then saved.
        encoding->setCurrentIndex(1);
        QVERIFY(f.model->dirty());
        QVERIFY(list->data(list->index(0, 2)).toString() != QStringLiteral("好"));
        f.Click("save");
        QCOMPARE(f.settings->GetString("C P", "SourceEncoding", ""), "gbk");
        QVERIFY(!f.model->dirty());
    }

    void saveStopsAtTheFirstEmptyFieldWithItsMessageAndFocus_data() {
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("main");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("focus");
        const QString system = Q(texts::kCaptionSystem);
        QTest::newRow("company") << "  "
                                 << "P1"
                                 << "/m.cpp" << Q(texts::kCompanyEmpty) << system << "company";
        QTest::newRow("product") << "C"
                                 << " "
                                 << "/m.cpp" << Q(texts::kProductEmpty) << system << "product";
        QTest::newRow("main source")
            << "C"
            << "P1"
            << "" << Q(texts::kMainSourceEmpty) << Q(texts::kCaptionInformation) << "mainSource";
        QTest::newRow("application")
            << "C"
            << "P1"
            << "/m.cpp" << Q(texts::kApplicationEmpty) << system << "application";
    }
    void saveStopsAtTheFirstEmptyFieldWithItsMessageAndFocus() {
        QFETCH(QString, company);
        QFETCH(QString, product);
        QFETCH(QString, main);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        QFETCH(QString, focus);
        Fixture f;
        f.Fill(company, product, main, QString());
        f.Click("save");
        QCOMPARE(f.prompter.shown.size(), std::size_t(1));
        QCOMPARE(f.prompter.shown[0].text, message);
        QCOMPARE(f.prompter.shown[0].caption, caption);
        QCOMPARE(f.prompter.shown[0].icon, Prompter::Icon::Information);
        QWidget* focused = f.window->focusWidget();
        QWidget* expected = f.window->findChild<QWidget*>(focus);
        QVERIFY(focused && expected);
        QVERIFY2(focused == expected || expected->isAncestorOf(focused),
                 qPrintable(focused->objectName()));
        QVERIFY(!QFile::exists(f.path));  // nothing stored
    }

    void saveStoresSettingsWritesTheRecordAndSaysSo() {
        Fixture f;
        const QString app = f.File(QStringLiteral("bin/app.exe"));
        QDir(f.dir.path()).mkpath(QStringLiteral("bin"));
        QDir(f.dir.path()).mkpath(QStringLiteral("src"));
        f.Fill(QStringLiteral("商号"), QStringLiteral("P1"), f.File(QStringLiteral("src/m.cpp")),
               app);
        f.Click("save");
        QCOMPARE(f.Texts(), QStringList{Q(texts::kSaved)});
        QVERIFY(QFile::exists(f.File(QStringLiteral("bin/app.con"))));
        QVERIFY(QFile::exists(f.File(QStringLiteral("src/app.con"))));
        // The company is stored in GBK, as every text of the settings file.
        QCOMPARE(f.settings->GetString("Common Data", "CompanyID", ""),
                 GbkCodec::FromQString(QStringLiteral("商号")));
        QCOMPARE(f.Child<QComboBox>("product")->count(), 1);
    }

    void closeWithYesAndAFailingSaveStaysOpen() {
        Fixture f;
        f.Fill(QStringLiteral("C"), QStringLiteral("P1"), QString(), QStringLiteral("/x/a.exe"));
        MakeDirty(f);
        f.prompter.answers = {Prompter::Answer::Yes};
        f.Click("close");
        QCOMPARE(f.Texts(), (QStringList{Q(texts::kSaveBeforeClose), Q(texts::kMainSourceEmpty)}));
        QCOMPARE(f.prompter.shown[0].buttons, Prompter::Buttons::YesNo);
        QCOMPARE(f.prompter.shown[0].icon, Prompter::Icon::Question);
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.window->focusWidget(), static_cast<QWidget*>(f.Edit("mainSource")));
        // Answering No the next time closes without saving.
        f.prompter.answers = {Prompter::Answer::No};
        f.Click("close");
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.window->result(), int(QDialog::Rejected));
    }

    void closeWithYesSavesSilentlyAndCloses() {
        Fixture f;
        f.Fill(QStringLiteral("C"), QStringLiteral("P1"), f.File(QStringLiteral("m.cpp")),
               f.File(QStringLiteral("a.exe")));
        MakeDirty(f);
        f.prompter.answers = {Prompter::Answer::Yes};
        f.window->close();  // the close box
        QCOMPARE(f.Texts(), QStringList{Q(texts::kSaveBeforeClose)});
        QVERIFY(!f.window->isVisible());
        QVERIFY(QFile::exists(f.File(QStringLiteral("a.con"))));
    }

    void escAndEnterOutsideTheFieldsRunTheCloseProcedure_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("dirty");
        QTest::newRow("Esc in a field, unsaved") << int(Qt::Key_Escape) << "company" << true;
        QTest::newRow("Esc in a field, nothing to save")
            << int(Qt::Key_Escape) << "mainSource" << false;
        QTest::newRow("Enter on a list, unsaved") << int(Qt::Key_Return) << "sourceFiles" << true;
        QTest::newRow("Enter on a list, nothing to save")
            << int(Qt::Key_Enter) << "constantList" << false;
    }
    void escAndEnterOutsideTheFieldsRunTheCloseProcedure() {
        QFETCH(int, key);
        QFETCH(QString, focus);
        QFETCH(bool, dirty);
        Fixture f;
        if (dirty) MakeDirty(f);
        auto* focused = f.window->findChild<QWidget*>(focus);
        QVERIFY(focused);
        focused->setFocus();
        // The question is asked (when there is something to save) and the window closes only
        // after the answer.
        f.prompter.answers = {Prompter::Answer::No};
        QTest::keyClick(focused, Qt::Key(key));
        QCOMPARE(f.prompter.shown.size(), std::size_t(dirty ? 1 : 0));
        if (dirty) QCOMPARE(f.prompter.shown[0].text, Q(texts::kSaveBeforeClose));
        QVERIFY(!f.window->isVisible());
    }

    void typingIntoAnyFieldIsUnsavedWork_data() {
        QTest::addColumn<QString>("field");
        for (const char* field : {"company", "product", "mainSource", "application"})
            QTest::newRow(field) << field;
    }
    void typingIntoAnyFieldIsUnsavedWork() {
        QFETCH(QString, field);
        Fixture f;
        f.window->findChild<QWidget*>(field)->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
        QVERIFY(f.model->dirty());
    }

    void enterWalksTheFieldsThenOffersToSave() {
        Fixture f;
        const QStringList order = {"company",        "product",    "language",
                                   "sourceEncoding", "mainSource", "application"};
        const QStringList typed = {"C", "P1", "", "", f.File("m.cpp"), f.File("a.exe")};
        f.Edit("company")->setFocus();
        for (int i = 0; i < order.size(); ++i) {
            QWidget* field = QApplication::focusWidget();  // the product's own line edit too
            auto* expected = f.window->findChild<QWidget*>(order[i]);
            QVERIFY2(field == expected || expected->isAncestorOf(field), qPrintable(order[i]));
            QTest::keyClicks(field, typed[i]);
            f.prompter.answers = {Prompter::Answer::No};
            QTest::keyClick(field, Qt::Key_Return);
            QVERIFY(f.window->isVisible());
        }
        // Enter in the last field asked whether to save; No saved nothing, Yes saves.
        QCOMPARE(f.Texts(), QStringList{QStringLiteral("要保存设置吗？")});
        QVERIFY(!QFile::exists(f.File("a.con")));
        f.prompter.answers = {Prompter::Answer::Yes};
        QTest::keyClick(f.Edit("application"), Qt::Key_Enter);
        QCOMPARE(f.prompter.shown.back().text, Q(texts::kSaved));
        QVERIFY(QFile::exists(f.File("a.con")));
        QVERIFY(f.window->isVisible() && !f.model->dirty());
    }

    void enterOnAFocusedButtonPressesThatButton() {
        Fixture f;
        auto* add = f.Child<QPushButton>("add");
        add->setFocus();
        QTest::keyClick(add, Qt::Key_Return);
        QCOMPARE(f.chooser.calls, 1);
        QVERIFY(f.window->isVisible());
        QVERIFY(f.prompter.shown.empty());
    }

    void addingFilesRefusesDuplicatesWithOneMessage() {
        Fixture f;
        const QString a = f.File(QStringLiteral("a.cpp"));
        const QString b = f.File(QStringLiteral("b.cpp"));
        const QString c = f.File(QStringLiteral("c.cpp"));
        f.chooser.files = {a};
        f.Click("add");
        QVERIFY(f.prompter.shown.empty());
        f.chooser.files = {b, a, c};
        f.Click("add");
        QCOMPARE(f.Texts(), QStringList{Q(texts::kFilesRefused)});
        QCOMPARE(f.prompter.shown[0].caption, Q(texts::kCaptionInformation));
        auto* list = f.Child<QListWidget>("sourceFiles");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), a);
        QCOMPARE(list->item(2)->text(), c);
        QVERIFY(f.Child<QPushButton>("deleteAll")->isEnabled());
        QVERIFY(!f.Child<QPushButton>("delete")->isEnabled());
        QVERIFY(f.model->dirty());
        // The dialog was offered the language's source suffixes first.
        QCOMPARE(f.chooser.lastFilters.value(0).patterns,
                 (QStringList{QStringLiteral("*.cpp"), QStringLiteral("*.c")}));
    }

    void selectingDeletingAndDeletingAllSourceFiles() {
        Fixture f;
        f.chooser.files = {f.File(QStringLiteral("a.cpp")), f.File(QStringLiteral("b.cpp")),
                           f.File(QStringLiteral("c.cpp"))};
        f.Click("add");
        auto* list = f.Child<QListWidget>("sourceFiles");
        list->setCurrentRow(2);  // as a click does
        QVERIFY(f.Child<QPushButton>("delete")->isEnabled());
        QCOMPARE(f.Child<QLabel>("status")->text(), f.File(QStringLiteral("c.cpp")));
        QCOMPARE(f.Child<QLabel>("status")->toolTip(), f.File(QStringLiteral("c.cpp")));
        f.Click("delete");
        // The last entry went: the first is selected and "delete" stays enabled.
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->currentRow(), 0);
        QVERIFY(f.Child<QPushButton>("delete")->isEnabled());
        // "Delete all" answered No changes nothing; Yes empties the list.
        f.prompter.answers = {Prompter::Answer::No};
        f.Click("deleteAll");
        QCOMPARE(list->count(), 2);
        QCOMPARE(f.prompter.shown.back().text, Q(texts::kDeleteAllQuestion));
        f.prompter.answers = {Prompter::Answer::Yes};
        f.Click("deleteAll");
        QCOMPARE(list->count(), 0);
        QVERIFY(!f.Child<QPushButton>("delete")->isEnabled());
        QVERIFY(!f.Child<QPushButton>("deleteAll")->isEnabled());
    }

    void deleteIsEnabledOnlyForASelectedEntry() {
        Fixture f;
        f.chooser.files = {f.File(QStringLiteral("a.cpp")), f.File(QStringLiteral("b.cpp"))};
        f.Click("add");
        auto* list = f.Child<QListWidget>("sourceFiles");
        auto* remove = f.Child<QPushButton>("delete");
        // Tab gives the list a current entry, but selects none.
        f.Edit("company")->setFocus();
        list->setFocus(Qt::TabFocusReason);
        QVERIFY(list->hasFocus() && list->selectedItems().isEmpty());
        QVERIFY(!remove->isEnabled());
        // An arrow key selects, as a click does.
        QTest::keyClick(list, Qt::Key_Down);
        QVERIFY(remove->isEnabled());
        // Ctrl and a click on the selected entry clear the selection: nothing may be deleted.
        const QRect entry = list->visualItemRect(list->selectedItems().front());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, entry.center());
        QVERIFY(list->selectedItems().isEmpty() && !remove->isEnabled());
        QVERIFY(!f.model->DeleteSelectedSourceFile().completed);
        QCOMPARE(list->count(), 2);
    }

    void browseButtonsFillTheirFieldAndLeaveTypedTextAlone() {
        Fixture f;
        f.Edit("company")->setText(QStringLiteral("typed"));
        f.chooser.file = QStringLiteral("  /work/app.exe ");
        f.Click("browseApplication");
        QCOMPARE(f.Edit("application")->text(), QStringLiteral("/work/app.exe"));
        QCOMPARE(f.Edit("company")->text(), QStringLiteral("typed"));
        QVERIFY(f.model->dirty());
        QCOMPARE(f.chooser.lastFilters.value(0).patterns,
                 (QStringList{QStringLiteral("*.exe"), QStringLiteral("*.dll"),
                              QStringLiteral("*.class")}));
        f.chooser.file = QString();  // cancelled
        f.Click("browseMainSource");
        QCOMPARE(f.Edit("mainSource")->text(), QString());
    }

    void chosenPathsWithoutAGbkFormAreRefusedByName() {
        Fixture f;
        // Hangul has no GBK form: stored, the path would turn into another one with '?'.
        const QString foreign = f.File(QStringLiteral("한.cpp"));
        const QString good = f.File(QStringLiteral("好.cpp"));
        f.chooser.file = foreign;
        f.chooser.files = {foreign, good};
        for (const char* button : {"browseApplication", "browseMainSource", "add"}) f.Click(button);
        QCOMPARE(f.prompter.shown.size(), std::size_t(3));
        for (const auto& box : f.prompter.shown) {
            QVERIFY2(box.text.contains(foreign) && !box.text.contains(good), qPrintable(box.text));
            QCOMPARE(box.caption, Q(texts::kCaptionInformation));
        }
        QVERIFY(f.Edit("application")->text().isEmpty() && f.Edit("mainSource")->text().isEmpty());
        // The other file of the add is added.
        auto* list = f.Child<QListWidget>("sourceFiles");
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), good);
    }

    void recordBesideTheMainSourceFileIsReadWhenTheOtherIsMissing() {
        QTemporaryDir shared;
        const QString app = shared.filePath(QStringLiteral("bin/app.exe"));
        const QString main = shared.filePath(QStringLiteral("src/m.cpp"));
        QDir(shared.path()).mkpath(QStringLiteral("bin"));
        QDir(shared.path()).mkpath(QStringLiteral("src"));
        QByteArray settingsText;
        {
            Fixture first;
            first.Fill(QStringLiteral("C"), QStringLiteral("P1"), main, app);
            first.chooser.files = {main, shared.filePath(QStringLiteral("src/util.cpp"))};
            first.Click("add");
            first.Click("save");
            settingsText = ReadAll(first.path);
        }
        QVERIFY(QFile::remove(shared.filePath(QStringLiteral("bin/app.con"))));
        Fixture second(settingsText);
        auto* list = second.Child<QListWidget>("sourceFiles");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->text(), shared.filePath(QStringLiteral("src/util.cpp")));
        QVERIFY(second.Child<QPushButton>("deleteAll")->isEnabled());
        QVERIFY(second.prompter.shown.empty());
    }

    void helpWritesTheGuideBesideTheMainSourceAndOpensIt() {
        Fixture f;
        std::string guide;
        QCOMPARE(korvexer::gui::LoadUserGuide(guide), korvexer::gui::UserGuideLoad::Loaded);
        f.Edit("mainSource")->setText(f.File(QStringLiteral("m.cpp")));
        f.Click("save");  // the help file goes beside the main source file last taken
        f.prompter.shown.clear();
        const QByteArray foreign = "my own notes\r\n";
        WriteAll(f.File(QStringLiteral("readme.txt")), foreign);
        f.Click("help");
        QVERIFY(f.prompter.shown.empty());
        QCOMPARE(f.opener.opened.size(), 1);
        const QString opened = f.opener.opened[0];
        QVERIFY(opened.startsWith(f.dir.path()));
        QVERIFY(opened != f.File(QStringLiteral("readme.txt")));
        QCOMPARE(ReadAll(opened).toStdString(), korvexer::gui::GuideForPlatform(guide));
        QCOMPARE(ReadAll(f.File(QStringLiteral("readme.txt"))), foreign);
        QVERIFY(!f.model->dirty());
        // A readme.txt that is this program's own copy of the guide is written again and opened.
        const std::string own = korvexer::gui::GuideForPlatform(guide);
        WriteAll(f.File(QStringLiteral("readme.txt")),
                 QByteArray(own.data(), qsizetype(own.size())));
        f.Click("help");
        QCOMPARE(f.opener.opened.value(1), f.File(QStringLiteral("readme.txt")));
    }

    void stepButtonsAndDoubleClicksRunTheHooksAndWriteTheRecordAfterOk() {
        Fixture f;
        // Without an application file a step is refused, asking for it; without hooks, nothing.
        f.Click("constantStep");
        f.Click("functionStep");
        QCOMPARE(f.prompter.shown.size(), std::size_t{2});
        f.prompter.shown.clear();
        int constantRuns = 0;
        int functionRuns = 0;
        f.window->SetConstantStep([&] {
            ++constantRuns;
            return false;  // cancelled: nothing is written
        });
        f.window->SetFunctionStep([&] {
            ++functionRuns;
            return true;
        });
        f.Fill(QStringLiteral("C"), QStringLiteral("P1"), f.File(QStringLiteral("m.cpp")),
               f.File(QStringLiteral("a.exe")));
        f.Click("save");
        QVERIFY(QFile::remove(f.File(QStringLiteral("a.con"))));
        f.Click("constantStep");
        QCOMPARE(constantRuns, 1);
        QVERIFY(!QFile::exists(f.File(QStringLiteral("a.con"))));
        f.Click("functionStep");
        QCOMPARE(functionRuns, 1);
        QVERIFY(QFile::exists(f.File(QStringLiteral("a.con"))));
        // A double click on an empty list, where its notice invites one, opens its step too.
        for (QAbstractItemView* list : {static_cast<QAbstractItemView*>(&f.window->ConstantList()),
                                        static_cast<QAbstractItemView*>(&f.window->FunctionList())})
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                               list->viewport()->rect().center());
        QCOMPARE(constantRuns, 2);
        QCOMPARE(functionRuns, 2);
    }

    void refreshToAProductNeverSavedShowsItsDefaults() {
        Fixture f(
            "[Common Data]\r\nCompanyID=ACME\r\nProductID=B2\r\n"
            "[ACME]\r\nProductIDList=B2;\r\n"
            "[ACME B2]\r\nLanguageIndex=4\r\nMainPrgFile=/p/Main.java\r\n");
        f.chooser.files = {QStringLiteral("/p/Other.java")};
        f.Click("add");
        f.Child<QComboBox>("product")->setEditText(QStringLiteral("NEW"));
        f.Click("refresh");
        QVERIFY(f.prompter.shown.empty());
        QCOMPARE(f.Child<QComboBox>("language")->currentIndex(), 0);
        QCOMPARE(f.Edit("mainSource")->text(), QString());
        QCOMPARE(f.Edit("application")->text(), QString());
        auto* product = f.Child<QComboBox>("product");
        QCOMPARE(product->currentText(), QStringLiteral("NEW"));
        QCOMPARE(product->itemText(0), QStringLiteral("NEW"));
        QCOMPARE(product->count(), 2);
        QVERIFY(!f.model->dirty());
        // Without an application file no record is read: the source files stay.
        QCOMPARE(f.Child<QListWidget>("sourceFiles")->count(), 1);
        QVERIFY(!f.Child<QPushButton>("delete")->isEnabled());
    }

    void languageSettingsOpenOnTheWindowsLanguageAndOkMarksAChange() {
        Fixture f("[Common Data]\r\nCompanyID=C\r\nProductID=P\r\n[C P]\r\nLanguageIndex=3\r\n");
        QCOMPARE(f.Child<QComboBox>("language")->currentIndex(), 3);
        QVERIFY(!f.model->dirty());
        int shownIndex = -1;
        QTimer::singleShot(0, [&] {
            if (auto* dialog =
                    qobject_cast<korvexer::gui::CLanguageDlg*>(QApplication::activeModalWidget())) {
                shownIndex = dialog->SelectedIndex();
                dialog->findChild<QLineEdit*>(QStringLiteral("hexprefix"))
                    ->setText(QStringLiteral("$$"));
                dialog->accept();
            }
        });
        f.Click("languageSettings");
        QCOMPARE(shownIndex, 3);
        QCOMPARE(f.settings->GetString("language_3", "hexprefix", ""), std::string("$$"));
        // The window's current definition is reloaded from the settings file.
        QCOMPARE(f.model->language().hexprefix, std::string("$$"));
        QVERIFY(f.model->dirty());
    }

    void helpThatCannotWriteItsFileSaysSoAndOpensNothing() {
        Fixture f;
        f.Edit("mainSource")->setText(f.File(QStringLiteral("no/such/folder/m.cpp")));
        f.Click("save");
        f.prompter.shown.clear();
        f.Click("help");
        QCOMPARE(f.prompter.shown.size(), std::size_t(1));
        QVERIFY(f.prompter.shown[0].text.startsWith(Q(texts::kHelpWriteFailed)));
        QCOMPARE(f.prompter.shown[0].caption, Q(texts::kCaptionInformation));
        QCOMPARE(f.prompter.shown[0].icon, Prompter::Icon::Exclamation);
        QVERIFY(f.opener.opened.isEmpty());
    }

    void aboutItemOpensTheAboutBox() {
        Fixture f;
        QAction* about = f.window->AboutAction();
        QCOMPARE(about->text(), QStringLiteral("关于 Korvexer(&A)..."));
        QVERIFY(f.window->actions().contains(about));
        QCOMPARE(f.window->contextMenuPolicy(), Qt::ActionsContextMenu);
        // The menu item and the visible button both open it.
        const auto opened = [](const std::function<void()>& open) {
            QString title;
            QTimer::singleShot(0, [&] {
                if (auto* box = qobject_cast<korvexer::gui::CAboutDlg*>(
                        QApplication::activeModalWidget())) {
                    title = box->windowTitle();
                    box->accept();
                }
            });
            open();
            return title;
        };
        QCOMPARE(opened([&] { about->trigger(); }), QStringLiteral("关于 Korvexer"));
        QCOMPARE(f.Child<QPushButton>("aboutButton")->text(), QStringLiteral("关于"));
        QCOMPARE(opened([&] { f.Click("aboutButton"); }), QStringLiteral("关于 Korvexer"));
    }

    void theStartingLayoutShowsWhatTheUserNeeds() {
        Fixture f;
        QVERIFY(f.exposed);
        // Every column of both lists lies within its list.
        for (const auto* list : {&f.window->ConstantList(), &f.window->FunctionList()})
            QVERIFY(list->header()->length() <= list->viewport()->width());
        // The source list's caption on one line.
        QLabel* caption = nullptr;
        for (QLabel* label : f.window->findChildren<QLabel*>())
            if (label->text().startsWith(QStringLiteral("请添加"))) caption = label;
        QVERIFY(!caption->wordWrap() && caption->width() >= caption->sizeHint().width());
        // A long path shows its end (the file's name), whole in the tooltip.
        const QString path = QStringLiteral(
            "/home/user/projects/customers/large-project/source/"
            "modules/orders/reports/main_program.cpp");
        f.chooser.file = path;
        f.Click("browseMainSource");
        QCOMPARE(f.Edit("mainSource")->toolTip(), path);
        QCOMPARE(f.Edit("mainSource")->cursorPosition(), int(path.size()));
    }
};

QTEST_MAIN(WorkbenchDlgTest)
#include "workbench_dlg_test.moc"
