// SPDX-License-Identifier: MIT
// Tests of CFunctionDlg: driven through its lists and buttons on a copy of the sample project.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

#include "core/language/language_defaults.h"
#include "core/list/row_list.h"
#include "gui/constants/step_context.h"
#include "gui/constants/step_preview_pane.h"
#include "gui/controls/grid_list_ctrl.h"
#include "gui/controls/row_list_model.h"
#include "gui/functions/function_dlg.h"
#include "gui/text/gbk_codec.h"
#include "tests/gui/gui_fakes.h"
#include "tests/support/test_support.h"

using korvexer::FileSystem;
using korvexer::LanguageDefinition;
using korvexer::RowList;
using korvexer::gui::CFunctionDlg;
using korvexer::gui::GbkCodec;
using korvexer::gui::RowListModel;
using korvexer::gui::StepContext;
using korvexer::gui::test_support::FakePrompter;
using korvexer::test_support::ReadBytes;
using korvexer::test_support::TempDir;
using korvexer::test_support::WriteBytes;

namespace {

// A copy of the sample project with the main window's lists, empty as in a new project.
struct Project {
    Project() {
        for (const char* name : {"main.cpp", "report.cpp", "report.h"})
            WriteBytes(dir.File(name), ReadBytes(std::string(KORVEXER_SAMPLES "/orders/") + name));
        mainSource = dir.File("main.cpp");
        report = dir.File("report.cpp");
        sourceFiles = {mainSource, report};
        originalMain = ReadBytes(mainSource);
        originalReport = ReadBytes(report);
    }
    StepContext Context() {
        return StepContext{FileSystem::Real(), language,    prompter,  constants,
                           functions,          sourceFiles, mainSource};
    }
    bool SourcesUntouched() const {
        return ReadBytes(mainSource) == originalMain && ReadBytes(report) == originalReport;
    }

    TempDir dir;
    LanguageDefinition language = korvexer::LoaderDefaults(0);
    FakePrompter prompter;
    RowList constants{5};
    RowList functions{5};
    std::vector<std::string> sourceFiles;
    std::string mainSource;
    std::string report;
    std::string originalMain;
    std::string originalReport;
};

struct Dialog {
    explicit Dialog(Project& project) : dlg(project.Context()) {
        dlg.show();
        exposed = QTest::qWaitForWindowExposed(&dlg);
        tester = std::make_unique<QAbstractItemModelTester>(
            &dlg.List().Rows(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    template <typename T>
    T* Find(const char* name) const {
        return dlg.findChild<T*>(QLatin1String(name));
    }
    void Press(const char* name) const {
        QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton);
    }
    RowListModel& Rows() const { return dlg.List().Rows(); }
    QListWidget& Catalogue() const { return dlg.Catalogue(); }
    // The shown row calling `name` in `file`, or -1.
    int RowOfCall(std::string_view name, const std::string& file) const {
        for (int row = 0; row < Rows().rowCount(); ++row)
            if (Rows().Text(row, korvexer::kStepName) == name &&
                Rows().Text(row, korvexer::kStepFile) == file)
                return row;
        return -1;
    }
    void Click(int row) const {
        const QModelIndex index = Rows().index(row, korvexer::kStepKey);
        dlg.List().scrollTo(index);
        QTest::mouseClick(dlg.List().viewport(), Qt::LeftButton, {},
                          dlg.List().visualRect(index).center());
    }
    // The catalogue entry whose text starts with `prototype`, or -1.
    int EntryOf(const QString& prototype) const {
        for (int entry = 0; entry < Catalogue().count(); ++entry)
            if (Catalogue().item(entry)->text().startsWith(prototype)) return entry;
        return -1;
    }
    QPoint EntryCentre(int entry) const {
        Catalogue().scrollToItem(Catalogue().item(entry));
        return Catalogue().visualItemRect(Catalogue().item(entry)).center();
    }
    void ClickEntry(int entry) const {
        QTest::mouseClick(Catalogue().viewport(), Qt::LeftButton, {}, EntryCentre(entry));
    }
    // A double-click as the system delivers it: a click, then the second press as a double-click.
    void DoubleClickEntry(int entry) const {
        ClickEntry(entry);
        QTest::mouseDClick(Catalogue().viewport(), Qt::LeftButton, {}, EntryCentre(entry));
    }
    QString State(int row) const {
        return GbkCodec::ToQString(Rows().Text(row, korvexer::kStepState));
    }
    std::string Substitute(int row) const { return Rows().Text(row, korvexer::kStepValue); }

    CFunctionDlg dlg;
    bool exposed = false;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

const QString kReplace = QStringLiteral("替换");

}  // namespace

class FunctionDlgTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithTheCallsAndTheSortedCatalogue();
    void clickOnACallProposesAnEntryWithoutShowingItsText_data();
    void clickOnACallProposesAnEntryWithoutShowingItsText();
    void pairThenOkRewritesTheCallAndTheNextOpeningShowsIt();
    void doubleClickOnTheCatalogueToggles();
    void revertThenReplaceWithoutEntryMarksAgain();
    void cancelAfterChangesChangesNothing();
    void okRefusedByTheRecordStaysOpen();
    void rendersWithoutCuttingAnything();
};

void FunctionDlgTest::opensWithTheCallsAndTheSortedCatalogue() {
    Project project;
    Dialog dialog(project);
    QVERIFY(dialog.exposed);
    QCOMPARE(dialog.dlg.windowTitle(), QStringLiteral("功能耦合"));
    QCOMPARE(dialog.Rows().rowCount(), static_cast<int>(dialog.dlg.Model().rows().size()));
    QCOMPARE(dialog.Rows().rowCount(), 7);
    QCOMPARE(dialog.Rows().Text(0, korvexer::kStepFile), project.mainSource);
    QVERIFY(dialog.RowOfCall("strlen", project.report) >= 0);
    QCOMPARE(dialog.Catalogue().count(), 52);
    // The list shows the catalogue in the byte order of its GBK texts, the order proposals count
    // in; a widget that sorted again by its own collation would put other entries at the
    // positions the model proposes.
    std::string previous;
    for (int entry = 0; entry < dialog.Catalogue().count(); ++entry) {
        const QString text = dialog.Catalogue().item(entry)->text();
        QCOMPARE(text, GbkCodec::ToQString(dialog.dlg.Model().catalogue()[entry]));
        QVERIFY(text.contains(QLatin1Char('\t')));
        const std::string bytes = GbkCodec::FromQString(text);
        QVERIFY2(previous <= bytes, qPrintable(text));
        previous = bytes;
    }
    QVERIFY(!dialog.Catalogue().isSortingEnabled());
    QVERIFY(dialog.Find<QLineEdit>("entryText")->isReadOnly());
    QVERIFY(dialog.Find<QPushButton>("ok")->isDefault());
}

void FunctionDlgTest::clickOnACallProposesAnEntryWithoutShowingItsText_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("proposed");  // prototype start; empty: nothing proposed
    QTest::newRow("strlen") << QStringLiteral("strlen") << QStringLiteral("int strlen_kx(");
    QTest::newRow("puts has no entry") << QStringLiteral("puts") << QString();
}

void FunctionDlgTest::clickOnACallProposesAnEntryWithoutShowingItsText() {
    QFETCH(QString, call);
    QFETCH(QString, proposed);
    Project project;
    Dialog dialog(project);
    const int row = dialog.RowOfCall(call.toStdString(), project.report);
    QVERIFY(row >= 0);
    dialog.Click(row);
    QCOMPARE(dialog.dlg.SelectedRow(), std::optional<std::size_t>(row));
    if (proposed.isEmpty()) {
        QCOMPARE(dialog.dlg.SelectedEntry(), std::optional<std::size_t>());
    } else {
        const int entry = dialog.EntryOf(proposed);
        QVERIFY(entry >= 0);
        QCOMPARE(dialog.dlg.SelectedEntry(), std::optional<std::size_t>(entry));
    }
    QCOMPARE(dialog.Find<QLineEdit>("entryText")->text(), QString());
}

void FunctionDlgTest::pairThenOkRewritesTheCallAndTheNextOpeningShowsIt() {
    Project project;
    {
        Dialog dialog(project);
        const int row = dialog.RowOfCall("printf", project.report);
        QVERIFY(row >= 0);
        dialog.Click(row);
        // The user's choice of an entry shows its text.
        const int entry = dialog.EntryOf(QStringLiteral("int MessageBoxN_kx("));
        dialog.ClickEntry(entry);
        QCOMPARE(dialog.Find<QLineEdit>("entryText")->text(),
                 dialog.Catalogue().item(entry)->text());
        dialog.Press("replace");
        QCOMPARE(dialog.Substitute(row), std::string("MessageBoxN_kx"));
        QCOMPARE(dialog.State(row), kReplace);
        // The preview below shows the line as OK will write it, and nothing is written yet.
        QTRY_VERIFY(dialog.dlg.Preview().ShownText().contains(
            QStringLiteral("MessageBoxN_kx(\"%s\\n\", title);//printf")));
        QVERIFY(
            dialog.dlg.Preview().ShownText().contains(QStringLiteral("printf(\"%s\\n\", title);")));
        QVERIFY(project.SourcesUntouched());
        dialog.Press("ok");
        QCOMPARE(dialog.dlg.result(), int(QDialog::Accepted));
        QVERIFY(project.prompter.shown.empty());
    }
    const std::string report = ReadBytes(project.report);
    QVERIFY2(report.find("MessageBoxN_kx(\"%s\\n\", title);//printf") != std::string::npos,
             report.c_str());
    QCOMPARE(ReadBytes(project.mainSource), project.originalMain);
    QCOMPARE(project.functions.size(), std::size_t{1});
    QCOMPARE(project.functions[0].columns,
             (std::vector<std::string>{"1", "printf", "MessageBoxN_kx", project.report, "17:8"}));

    // The next opening shows the pair marked; "撤销" and OK restore the call.
    Dialog again(project);
    const int row = again.RowOfCall("printf", project.report);
    QVERIFY(row >= 0);
    QCOMPARE(again.State(row), kReplace);
    QCOMPARE(again.Substitute(row), std::string("MessageBoxN_kx"));
    again.Click(row);
    QCOMPARE(again.dlg.SelectedEntry(),
             std::optional<std::size_t>(again.EntryOf(QStringLiteral("int MessageBoxN_kx("))));
    again.Press("revert");
    QCOMPARE(again.State(row), QString());
    again.Press("ok");
    QCOMPARE(again.dlg.result(), int(QDialog::Accepted));
    QCOMPARE(ReadBytes(project.report), project.originalReport);
    QVERIFY(project.functions.empty());
}

void FunctionDlgTest::doubleClickOnTheCatalogueToggles() {
    Project project;
    Dialog dialog(project);
    const int row = dialog.RowOfCall("strlen", project.report);
    dialog.Click(row);
    const int entry = dialog.EntryOf(QStringLiteral("int strlen_kx("));
    dialog.DoubleClickEntry(entry);
    QCOMPARE(dialog.State(row), kReplace);
    QCOMPARE(dialog.Substitute(row), std::string("strlen_kx"));
    // Taken back by the next double-click, even on another entry; the substitute stays.
    dialog.DoubleClickEntry(dialog.EntryOf(QStringLiteral("int abs_kx(")));
    QCOMPARE(dialog.State(row), QString());
    QCOMPARE(dialog.Substitute(row), std::string("strlen_kx"));
    // Without a selected call row nothing changes.
    dialog.dlg.List().selectionModel()->clearSelection();
    dialog.DoubleClickEntry(entry);
    for (int other = 0; other < dialog.Rows().rowCount(); ++other)
        QCOMPARE(dialog.State(other), QString());
}

void FunctionDlgTest::revertThenReplaceWithoutEntryMarksAgain() {
    Project project;
    Dialog dialog(project);
    const int row = dialog.RowOfCall("strlen", project.report);
    dialog.Click(row);  // proposes strlen_kx
    // The list shows the model's own rows: it hears of each change of the row's substitute and
    // state, so that it repaints the row.
    QSignalSpy changed(&dialog.Rows(), &QAbstractItemModel::dataChanged);
    const auto toldOfRow = [&] {
        if (changed.isEmpty()) return false;
        const QList<QVariant> notice = changed.takeFirst();
        const QModelIndex first = notice.at(0).value<QModelIndex>();
        const QModelIndex last = notice.at(1).value<QModelIndex>();
        return first.row() == row && last.row() == row &&
               first.column() <= int{korvexer::kStepValue} &&
               last.column() >= int{korvexer::kStepState} && changed.isEmpty();
    };
    dialog.Press("replace");
    QCOMPARE(dialog.State(row), kReplace);
    QVERIFY(toldOfRow());
    dialog.Press("revert");
    QCOMPARE(dialog.State(row), QString());
    QVERIFY(toldOfRow());
    dialog.Catalogue().selectionModel()->clearSelection();
    QCOMPARE(dialog.dlg.SelectedEntry(), std::optional<std::size_t>());
    dialog.Press("replace");
    QCOMPARE(dialog.State(row), kReplace);
    QCOMPARE(dialog.Substitute(row), std::string("strlen_kx"));
    // A row without a substitute and no entry selected stays as it is.
    const int puts = dialog.RowOfCall("puts", project.report);
    dialog.Click(puts);
    dialog.Press("replace");
    QCOMPARE(dialog.State(puts), QString());
    QCOMPARE(dialog.Substitute(puts), std::string());
}

void FunctionDlgTest::cancelAfterChangesChangesNothing() {
    Project project;
    project.functions.Append({"1", "gone", "abs_kx", project.report, "99:1"});
    Dialog dialog(project);
    // The record row with no call at its place is appended, marked.
    QCOMPARE(dialog.Rows().rowCount(), 8);
    QCOMPARE(dialog.State(7), kReplace);
    dialog.Click(1);
    dialog.Press("replace");
    dialog.Click(7);
    dialog.Press("revert");
    dialog.Press("cancel");
    QCOMPARE(dialog.dlg.result(), int(QDialog::Rejected));
    QVERIFY(project.SourcesUntouched());
    QCOMPARE(project.functions.size(), std::size_t{1});
    QCOMPARE(project.functions.Text(0, 1), std::string("gone"));
    QVERIFY(project.prompter.shown.empty());
}

void FunctionDlgTest::okRefusedByTheRecordStaysOpen() {
    Project project;
    // A record row whose call name the record cannot hold any more.
    project.functions.Append({"1", std::string(300, 'f'), "abs_kx", project.report, "99:1"});
    Dialog dialog(project);
    dialog.Press("ok");
    QCOMPARE(project.prompter.shown.size(), std::size_t{1});
    QVERIFY(dialog.dlg.isVisible());
    QCOMPARE(project.functions.Text(0, 1), std::string(300, 'f'));
    QVERIFY(project.SourcesUntouched());
    // Taking the row back lets OK through; its call is not at its place, so the row stays in the
    // main list and one message names it.
    dialog.Click(7);
    dialog.Press("revert");
    dialog.Press("ok");
    QCOMPARE(dialog.dlg.result(), int(QDialog::Accepted));
    QCOMPARE(project.prompter.shown.size(), std::size_t{2});
    QVERIFY(project.prompter.shown[1].text.contains(QStringLiteral("99:1")));
    QCOMPARE(project.functions.size(), std::size_t{1});
}

void FunctionDlgTest::rendersWithoutCuttingAnything() {
    Project project;
    Dialog dialog(project);
    const int row = dialog.RowOfCall("strlen", project.report);
    dialog.Click(row);
    dialog.Press("replace");
    // The proposal selected the entry without showing its text; a click on it shows it.
    const int entry = dialog.EntryOf(QStringLiteral("int strlen_kx("));
    QCOMPARE(dialog.Find<QLineEdit>("entryText")->text(), QString());
    dialog.ClickEntry(entry);
    QCOMPARE(dialog.Find<QLineEdit>("entryText")->text(), dialog.Catalogue().item(entry)->text());
    QVERIFY(dialog.dlg.width() >= 600 && dialog.dlg.height() >= 420);
    for (QWidget* widget : dialog.dlg.findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(widget);
        if (label && label->wordWrap()) {
            QVERIFY(label->height() >= label->heightForWidth(label->width()));
            continue;
        }
        if (!label && !qobject_cast<QAbstractButton*>(widget)) continue;
        QVERIFY2(widget->width() >= widget->sizeHint().width(),
                 qPrintable(widget->property("text").toString()));
    }
    QVERIFY(dialog.dlg.grab().save(QStringLiteral(KORVEXER_GUI_RENDER_DIR "/function_dlg.png")));
    // Painted, the rows carry the image of their state: a marked row image 0, the others 1.
    for (int other = 0; other < dialog.Rows().rowCount(); ++other)
        QCOMPARE(dialog.Rows().Image(other), other == row ? 0 : 1);
}

QTEST_MAIN(FunctionDlgTest)
#include "function_dlg_test.moc"
