// SPDX-License-Identifier: MIT
// Tests of CConstantDlg: driven through its buttons and list on a copy of the sample project.
#include <QAbstractItemModelTester>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/list/row_list.h"
#include "core/steps/step_texts.h"
#include "core/platform/clock.h"
#include "gui/constants/constant_dlg.h"
#include "gui/constants/step_context.h"
#include "gui/constants/step_preview_pane.h"
#include "gui/controls/grid_list_ctrl.h"
#include "gui/controls/row_list_model.h"
#include "gui/text/gbk_codec.h"
#include "tests/gui/gui_fakes.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/test_support.h"

using korvexer::FileSystem;
using korvexer::FixedClock;
using korvexer::LanguageDefinition;
using korvexer::RowList;
using korvexer::gui::CConstantDlg;
using korvexer::gui::GbkCodec;
using korvexer::gui::Prompter;
using korvexer::gui::RowListModel;
using korvexer::gui::StepContext;
using korvexer::gui::test_support::FakePrompter;
using korvexer::test_support::ReadBytes;
using korvexer::test_support::TempDir;
using korvexer::test_support::WriteBytes;

namespace {

QString Q(std::string_view gbk) {
    return GbkCodec::ToQString(gbk);
}

// A copy of the sample project with the main window's lists, empty as in a new project.
struct Project {
    explicit Project(FileSystem& files = FileSystem::Real()) : fs(files) {
        for (const char* name : {"main.cpp", "report.cpp", "report.h"})
            WriteBytes(dir.File(name), ReadBytes(std::string(KORVEXER_SAMPLES "/orders/") + name));
        mainSource = dir.File("main.cpp");
        report = dir.File("report.cpp");
        sourceFiles = {mainSource, report};
        originalMain = ReadBytes(mainSource);
        originalReport = ReadBytes(report);
    }
    StepContext Context() {
        return StepContext{fs, language, prompter, constants, functions, sourceFiles, mainSource};
    }
    bool SourcesUntouched() const {
        return ReadBytes(mainSource) == originalMain && ReadBytes(report) == originalReport;
    }

    TempDir dir;
    FileSystem& fs;
    LanguageDefinition language = korvexer::LoaderDefaults(0);
    FixedClock clock{1'700'000'000};
    FakePrompter prompter;
    RowList constants{5};
    RowList functions{5};
    std::vector<std::string> sourceFiles;
    std::string mainSource;
    std::string report;
    std::string originalMain;
    std::string originalReport;
};

// A dialog of `project`, shown so that clicks reach it.
struct Dialog {
    explicit Dialog(Project& project, std::uint32_t counter = 1024)
        : dlg(project.Context(), project.clock, counter) {
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
    // The shown row whose value column is `value` (GBK), or -1.
    int RowOfValue(std::string_view value) const {
        for (int row = 0; row < Rows().rowCount(); ++row)
            if (Rows().Text(row, korvexer::kStepValue) == value) return row;
        return -1;
    }
    QPoint Centre(int row) const {
        const QModelIndex index = Rows().index(row, korvexer::kStepKey);
        dlg.List().scrollTo(index);
        return dlg.List().visualRect(index).center();
    }
    void Click(int row, Qt::KeyboardModifiers keys = {}) const {
        QTest::mouseClick(dlg.List().viewport(), Qt::LeftButton, keys, Centre(row));
    }
    // A double-click as the system delivers it: a click, then the second press as a double-click.
    void DoubleClick(int row) const {
        Click(row);
        QTest::mouseDClick(dlg.List().viewport(), Qt::LeftButton, {}, Centre(row));
    }
    QString State(int row) const { return Q(Rows().Text(row, korvexer::kStepState)); }
    void Type(const char* field, const QString& text) const {
        QLineEdit* edit = Find<QLineEdit>(field);
        edit->selectAll();
        edit->insert(text);
    }

    CConstantDlg dlg;
    bool exposed = false;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

bool ListsAgree(const Dialog& dialog) {
    const RowList& model = dialog.dlg.Model().rows();
    if (static_cast<int>(model.size()) != dialog.Rows().rowCount()) return false;
    for (std::size_t row = 0; row < model.size(); ++row)
        for (std::size_t column = 0; column < 6; ++column)
            if (dialog.Rows().Text(static_cast<int>(row), static_cast<int>(column)) !=
                model.Text(row, column))
                return false;
    return true;
}

const QString kReplace = QStringLiteral("替换");

}  // namespace

class ConstantDlgTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithTheScannedConstantsOfEveryFile();
    void replaceThenOkRewritesTheSourceAndTheNextOpeningShowsIt();
    void cancelAfterEditsChangesNothing();
    void addRefusesAnEmptyNumberWithItsMessage();
    void handEditsGoThroughTheFields_data();
    void handEditsGoThroughTheFields();
    void indexThatIsNoNumberIsRefused_data();
    void indexThatIsNoNumberIsRefused();
    void stateButtonsKeepTheSelection();
    void okRefusedByTheRecordStaysOpenAndChangesNothing();
    void okNamesAFileThatCouldNotBeRewritten();
    void valueEditHoldsAtMost256GbkBytes_data();
    void valueEditHoldsAtMost256GbkBytes();
    void rendersWithoutCuttingAnything();
    void utf8ValuesShowDecodedAndAreEditedInTheFilesEncoding();
    void previewShowsTheSelectedLinesAsOkWillWriteThem();
};

void ConstantDlgTest::opensWithTheScannedConstantsOfEveryFile() {
    Project project;
    Dialog dialog(project);
    QVERIFY(dialog.exposed);
    QCOMPARE(dialog.dlg.windowTitle(), QStringLiteral("数据保护"));
    QVERIFY(ListsAgree(dialog));
    // Four constants in main.cpp, then two in report.cpp; main file first.
    QCOMPARE(dialog.Rows().rowCount(), 6);
    QCOMPARE(dialog.Rows().Text(0, korvexer::kStepFile), project.mainSource);
    QCOMPARE(dialog.Rows().Text(5, korvexer::kStepFile), project.report);
    QVERIFY(dialog.RowOfValue("Order report") >= 0);
    QVERIFY(dialog.Find<QPushButton>("ok")->isDefault());
    QVERIFY(project.prompter.shown.empty());
}

void ConstantDlgTest::replaceThenOkRewritesTheSourceAndTheNextOpeningShowsIt() {
    Project project;
    std::string index;
    {
        Dialog dialog(project);
        const int row = dialog.RowOfValue("Order report");
        QVERIFY(row >= 0);
        index = dialog.Rows().Text(row, korvexer::kStepKey);
        dialog.Click(row);
        dialog.Press("replace");
        QCOMPARE(dialog.State(row), kReplace);
        // Nothing reaches the sources before OK.
        QVERIFY(project.SourcesUntouched());
        dialog.Press("ok");
        QCOMPARE(dialog.dlg.result(), int(QDialog::Accepted));
        QVERIFY(project.prompter.shown.empty());
    }
    const std::string expected = "header = GetValueStr(" + index + ");//\"Order report\"";
    QVERIFY2(ReadBytes(project.mainSource).find(expected) != std::string::npos,
             ReadBytes(project.mainSource).c_str());
    QCOMPARE(ReadBytes(project.mainSource + "~"), project.originalMain);
    QCOMPARE(ReadBytes(project.report), project.originalReport);
    QCOMPARE(project.constants.size(), std::size_t{1});
    QCOMPARE(project.constants.Text(0, 0), index);
    QCOMPARE(project.constants.Text(0, 2), std::string("Order report"));

    // The next opening finds the accessor call and the record marks it again; taking it back
    // restores the literal.
    Dialog again(project, static_cast<std::uint32_t>(std::stoul(index)));
    const int row = again.RowOfValue("Order report");
    QVERIFY(row >= 0);
    QCOMPARE(again.Rows().Text(row, korvexer::kStepKey), index);
    QCOMPARE(again.State(row), kReplace);
    again.Click(row);
    again.Press("revert");
    QCOMPARE(again.State(row), QString());
    again.Press("ok");
    QCOMPARE(again.dlg.result(), int(QDialog::Accepted));
    QCOMPARE(ReadBytes(project.mainSource), project.originalMain);
    QVERIFY(project.constants.empty());
}

void ConstantDlgTest::cancelAfterEditsChangesNothing() {
    Project project;
    project.constants.Append({"1100", "x", "x", project.mainSource, "99:1"});
    const RowList before = project.constants;
    Dialog dialog(project);
    dialog.Press("replaceAll");
    dialog.Type("valueEdit", QStringLiteral("hand"));
    dialog.Press("add");
    dialog.Click(0);
    dialog.Type("indexEdit", QStringLiteral("0"));
    dialog.Press("delete");
    QVERIFY(ListsAgree(dialog));
    dialog.Press("cancel");
    QCOMPARE(dialog.dlg.result(), int(QDialog::Rejected));
    QVERIFY(dialog.dlg.isHidden());
    QVERIFY(project.SourcesUntouched());
    QCOMPARE(project.constants.rows().size(), before.rows().size());
    QCOMPARE(project.constants[0].columns, before[0].columns);
    QVERIFY(!QFile::exists(QString::fromStdString(project.mainSource + "~")));
    QVERIFY(project.prompter.shown.empty());
}

void ConstantDlgTest::addRefusesAnEmptyNumberWithItsMessage() {
    Project project;
    Dialog dialog(project);
    const int rows = dialog.Rows().rowCount();
    QTest::mouseClick(dialog.Find<QRadioButton>("numberType"), Qt::LeftButton);
    dialog.Type("valueEdit", QStringLiteral("   "));
    dialog.Find<QPushButton>("add")->setFocus();
    dialog.Press("add");
    QCOMPARE(project.prompter.shown.size(), std::size_t{1});
    QCOMPARE(project.prompter.shown[0].text, QStringLiteral("数值类型常量值不能为空，请输入！"));
    QCOMPARE(project.prompter.shown[0].caption, QStringLiteral("系统提示"));
    QCOMPARE(project.prompter.shown[0].icon, Prompter::Icon::Information);
    QCOMPARE(dialog.dlg.focusWidget(), dialog.Find<QLineEdit>("valueEdit"));
    QCOMPARE(dialog.Rows().rowCount(), rows);
}

void ConstantDlgTest::handEditsGoThroughTheFields_data() {
    QTest::addColumn<bool>("number");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("number read as atol") << true << QStringLiteral("12abc") << QStringLiteral("12");
    QTest::newRow("hex number is 0") << true << QStringLiteral("0x1F") << QStringLiteral("0");
    QTest::newRow("string kept") << false << QStringLiteral("  汉字 a") << QStringLiteral("汉字 a");
}

void ConstantDlgTest::handEditsGoThroughTheFields() {
    QFETCH(bool, number);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Project project;
    Dialog dialog(project);
    std::uint32_t largest = 0;
    for (int row = 0; row < dialog.Rows().rowCount(); ++row)
        largest = std::max(largest, static_cast<std::uint32_t>(
                                        std::stoul(dialog.Rows().Text(row, korvexer::kStepKey))));

    QTest::mouseClick(dialog.Find<QRadioButton>(number ? "numberType" : "stringType"),
                      Qt::LeftButton);
    dialog.Type("valueEdit", typed);
    dialog.Press("add");
    const int added = dialog.Rows().rowCount() - 1;
    QCOMPARE(dialog.Rows().rowCount(), 7);
    QCOMPARE(Q(dialog.Rows().Text(added, korvexer::kStepValue)), stored);
    QCOMPARE(dialog.Find<QLineEdit>("valueEdit")->text(), stored);
    QCOMPARE(Q(dialog.Rows().Text(added, korvexer::kStepName)),
             number ? QStringLiteral("数值") : QStringLiteral("字符串"));
    QCOMPARE(dialog.State(added), kReplace);
    QCOMPARE(dialog.Rows().Text(added, korvexer::kStepFile), std::string());
    // The new index is above every index shown, and the index field shows it.
    const QString index = Q(dialog.Rows().Text(added, korvexer::kStepKey));
    QVERIFY(index.toULongLong() > largest);
    QCOMPARE(dialog.Find<QLineEdit>("indexEdit")->text(), index);

    // A double-click on another row loads it; one on the added row brings its fields back.
    dialog.DoubleClick(0);
    QCOMPARE(dialog.Find<QLineEdit>("indexEdit")->text(),
             Q(dialog.Rows().Text(0, korvexer::kStepKey)));
    QCOMPARE(dialog.Find<QLineEdit>("valueEdit")->text(), QStringLiteral("3"));
    QVERIFY(dialog.Find<QRadioButton>("numberType")->isChecked());
    dialog.DoubleClick(added);
    QCOMPARE(dialog.Find<QLineEdit>("indexEdit")->text(), index);
    QCOMPARE(dialog.Find<QRadioButton>("numberType")->isChecked(), number);

    // Modify by index: the type and value change, the state becomes "替换".
    QTest::mouseClick(dialog.Find<QRadioButton>("stringType"), Qt::LeftButton);
    dialog.Type("valueEdit", QStringLiteral("new"));
    dialog.Press("modify");
    QCOMPARE(Q(dialog.Rows().Text(added, korvexer::kStepName)), QStringLiteral("字符串"));
    QCOMPARE(Q(dialog.Rows().Text(added, korvexer::kStepValue)), QStringLiteral("new"));

    // Delete by index; the row now at the deleted position (row 0 after the last) is selected.
    dialog.Click(2);
    dialog.Press("delete");
    QCOMPARE(dialog.Rows().rowCount(), 6);
    QCOMPARE(dialog.RowOfValue("new"), -1);
    QCOMPARE(dialog.dlg.SelectedRows(), std::vector<std::size_t>{0});
    // With an index no row has, the selected row goes.
    dialog.Click(3);
    const std::string third = dialog.Rows().Text(3, korvexer::kStepKey);
    dialog.Type("indexEdit", QStringLiteral("7"));
    dialog.Press("delete");
    QCOMPARE(dialog.Rows().rowCount(), 5);
    QVERIFY(dialog.Rows().Text(3, korvexer::kStepKey) != third);
    QCOMPARE(dialog.dlg.SelectedRows(), std::vector<std::size_t>{3});
    QVERIFY(ListsAgree(dialog));
    QVERIFY(project.prompter.shown.empty());
}

void ConstantDlgTest::indexThatIsNoNumberIsRefused_data() {
    QTest::addColumn<QString>("index");
    QTest::newRow("empty") << QString();
    QTest::newRow("past 32 bits") << QStringLiteral("4294967296");
}

void ConstantDlgTest::indexThatIsNoNumberIsRefused() {
    QFETCH(QString, index);
    Project project;
    Dialog dialog(project);
    dialog.Type("indexEdit", index);
    dialog.Type("valueEdit", QStringLiteral("x"));
    dialog.Press("add");
    QCOMPARE(project.prompter.shown.size(), std::size_t{1});
    QCOMPARE(dialog.dlg.focusWidget(), dialog.Find<QLineEdit>("indexEdit"));
    QCOMPARE(dialog.Rows().rowCount(), 6);
}

void ConstantDlgTest::stateButtonsKeepTheSelection() {
    Project project;
    project.constants.Append({"5000", std::string(korvexer::texts::kTypeNumber), "5", "", ""});
    Dialog dialog(project);
    QCOMPARE(dialog.Rows().rowCount(), 7);
    dialog.Click(1);
    dialog.Click(4, Qt::ControlModifier);
    const std::vector<std::size_t> selected{1, 4};
    QCOMPARE(dialog.dlg.SelectedRows(), selected);
    // The list hears of every row whose state changed, so that it repaints them.
    QSignalSpy changed(&dialog.Rows(), &QAbstractItemModel::dataChanged);
    const auto told = [&changed](int row) {
        for (const QList<QVariant>& notice : changed)
            if (notice.at(0).value<QModelIndex>().row() <= row &&
                row <= notice.at(1).value<QModelIndex>().row())
                return true;
        return false;
    };
    dialog.Press("replace");
    QVERIFY(told(1) && told(4));
    QCOMPARE(dialog.dlg.SelectedRows(), selected);
    QCOMPARE(dialog.State(1), kReplace);
    QCOMPARE(dialog.State(4), kReplace);
    QCOMPARE(dialog.State(0), QString());
    dialog.Press("revert");
    QCOMPARE(dialog.State(1), QString());
    QCOMPARE(dialog.State(6), kReplace);  // the record row was not selected
    dialog.Press("replaceAll");
    for (int row = 0; row < 7; ++row) QCOMPARE(dialog.State(row), kReplace);
    dialog.Press("revertAll");
    for (int row = 0; row < 7; ++row) QCOMPARE(dialog.State(row), QString());
    QCOMPARE(dialog.dlg.SelectedRows(), selected);
    // A row added by hand comes at the end and leaves the selection alone too.
    dialog.Type("valueEdit", QStringLiteral("added"));
    dialog.Press("add");
    QCOMPARE(dialog.Rows().rowCount(), 8);
    QCOMPARE(dialog.RowOfValue("added"), 7);
    QCOMPARE(dialog.dlg.SelectedRows(), selected);
    QVERIFY(ListsAgree(dialog));
}

void ConstantDlgTest::okRefusedByTheRecordStaysOpenAndChangesNothing() {
    Project project;
    Dialog dialog(project);
    // 256 bytes fit into the edit but not into a field of the record.
    dialog.Type("valueEdit", QString(256, QLatin1Char('v')));
    dialog.Press("add");
    const int row = dialog.Rows().rowCount() - 1;
    QCOMPARE(dialog.Rows().Text(row, korvexer::kStepValue).size(), std::size_t{256});
    dialog.Press("replaceAll");
    dialog.Press("ok");
    QCOMPARE(project.prompter.shown.size(), std::size_t{1});
    QVERIFY2(project.prompter.shown[0].text.contains(QString::number(row + 1)),
             qPrintable(project.prompter.shown[0].text));
    QVERIFY(dialog.dlg.isVisible());
    QCOMPARE(dialog.dlg.result(), int(QDialog::Rejected));
    QVERIFY(project.constants.empty());
    QVERIFY(project.SourcesUntouched());

    // Deleting the row lets OK through.
    dialog.Press("delete");
    dialog.Press("ok");
    QCOMPARE(dialog.dlg.result(), int(QDialog::Accepted));
    QCOMPARE(project.constants.size(), std::size_t{6});
    QVERIFY(!project.SourcesUntouched());
}

void ConstantDlgTest::okNamesAFileThatCouldNotBeRewritten() {
    korvexer::test_support::FaultyFileSystem faulty;
    faulty.FailOn(korvexer::test_support::FaultyFileSystem::Step::Rename, "report.cpp");
    Project project(faulty);
    Dialog dialog(project);
    dialog.Press("replaceAll");
    dialog.Press("ok");
    QCOMPARE(dialog.dlg.result(), int(QDialog::Accepted));
    QCOMPARE(project.prompter.shown.size(), std::size_t{1});
    // The rows left come first, here the hexadecimal one of main.cpp, whose listed value never
    // stands there; then the files not written.
    const QString text = project.prompter.shown[0].text;
    const qsizetype filesAt = text.indexOf(Q(korvexer::steptexts::kFilesNotWritten));
    QVERIFY2(text.startsWith(Q(korvexer::steptexts::kRowsLeftHead)) && filesAt > 0,
             qPrintable(text));
    QVERIFY(text.left(filesAt).contains(QStringLiteral("main.cpp")));
    QVERIFY(text.mid(filesAt).contains(QStringLiteral("report.cpp")));
    QVERIFY(!text.mid(filesAt).contains(QStringLiteral("main.cpp")));
    QCOMPARE(ReadBytes(project.report), project.originalReport);
    QVERIFY(ReadBytes(project.mainSource) != project.originalMain);
    // The record keeps describing the sources: only main.cpp's rows were handed back.
    QCOMPARE(project.constants.size(), std::size_t{4});
    for (std::size_t row = 0; row < project.constants.size(); ++row)
        QCOMPARE(project.constants.Text(row, 3), project.mainSource);
}

void ConstantDlgTest::valueEditHoldsAtMost256GbkBytes_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("taken");
    const QString han(1, QChar(0x6C49));
    QTest::newRow("256 ascii") << QString(256, QLatin1Char('a')) << true;
    QTest::newRow("257 ascii") << QString(257, QLatin1Char('a')) << false;
    QTest::newRow("128 two-byte") << han.repeated(128) << true;
    QTest::newRow("257 mixed") << QLatin1String("a") + han.repeated(128) << false;
    QTest::newRow("256 mixed") << QLatin1String("a") + han.repeated(127) + QLatin1String("b")
                               << true;
}

void ConstantDlgTest::valueEditHoldsAtMost256GbkBytes() {
    QFETCH(QString, typed);
    QFETCH(bool, taken);
    Project project;
    Dialog dialog(project);
    QLineEdit* value = dialog.Find<QLineEdit>("valueEdit");
    value->insert(typed);  // as a paste: the whole text or nothing
    QCOMPARE(value->text(), taken ? typed : QString());
}

void ConstantDlgTest::rendersWithoutCuttingAnything() {
    Project project;
    Dialog dialog(project);
    dialog.Click(2);
    dialog.Press("replace");
    dialog.Click(0);  // the marked row shows its colours when not selected
    dialog.DoubleClick(3);
    QVERIFY(dialog.Find<QLineEdit>("valueEdit")->width() >= 400);
    QVERIFY(dialog.dlg.width() >= 700 && dialog.dlg.height() >= 440);
    for (QWidget* widget : dialog.dlg.findChildren<QWidget*>()) {
        if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QAbstractButton*>(widget)) continue;
        QVERIFY2(widget->width() >= widget->sizeHint().width(),
                 qPrintable(widget->objectName() + QLatin1Char(' ') +
                            widget->property("text").toString()));
    }
    QVERIFY(dialog.dlg.grab().save(QStringLiteral(KORVEXER_GUI_RENDER_DIR "/constant_dlg.png")));
}

void ConstantDlgTest::utf8ValuesShowDecodedAndAreEditedInTheFilesEncoding() {
    Project project;
    const std::string greeting = project.dir.File("greeting.cpp");
    WriteBytes(greeting, ReadBytes(KORVEXER_SAMPLES "/orders/greeting.cpp"));
    project.sourceFiles.push_back(greeting);
    Dialog dialog(project);
    const int row =
        dialog.RowOfValue("\xE4\xBD\xA0\xE5\xA5\xBD\xEF\xBC\x8C\xE4\xB8\x96\xE7\x95\x8C");
    QVERIFY(row >= 0);
    QCOMPARE(dialog.Rows().data(dialog.Rows().index(row, korvexer::kStepValue)).toString(),
             QStringLiteral("你好，世界"));
    // A GBK file's value stays GBK.
    const int gbkRow = dialog.RowOfValue("Order report");
    QCOMPARE(dialog.Rows().CellEncoding(gbkRow, korvexer::kStepValue), korvexer::TextEncoding::Gbk);
    // greeting.cpp breaks its lines at LF, the language at CR LF: the dialog says so, once.
    auto* notices = dialog.Find<QLabel>("notices");
    QVERIFY(notices->isVisible());
    QCOMPARE(notices->text().count(QStringLiteral("greeting.cpp")), 1);

    dialog.DoubleClick(row);
    QCOMPARE(dialog.Find<QLineEdit>("valueEdit")->text(), QStringLiteral("你好，世界"));
    dialog.Type("valueEdit", QStringLiteral("再见"));
    dialog.Press("modify");
    QCOMPARE(dialog.Rows().Text(row, korvexer::kStepValue),
             std::string("\xE5\x86\x8D\xE8\xA7\x81"));
    QCOMPARE(dialog.Rows().data(dialog.Rows().index(row, korvexer::kStepValue)).toString(),
             QStringLiteral("再见"));
    QVERIFY(project.SourcesUntouched());
}

void ConstantDlgTest::previewShowsTheSelectedLinesAsOkWillWriteThem() {
    Project project;
    Dialog dialog(project);
    auto* preview = dialog.dlg.findChild<QWidget*>(QStringLiteral("preview"));
    QVERIFY(preview && preview->isVisible());
    const int row = dialog.RowOfValue("Order report");
    const std::string index = dialog.Rows().Text(row, korvexer::kStepKey);
    // The preview follows the selection once it rests.
    dialog.Click(row);
    QTRY_VERIFY(
        dialog.dlg.Preview().ShownText().contains(QStringLiteral("header = \"Order report\";")));
    QVERIFY(dialog.dlg.Preview().ShownText().contains(QStringLiteral("（不变）")));
    QVERIFY(dialog.dlg.Preview().ShownText().contains(Q(project.mainSource)));

    dialog.Press("replace");
    const QString after = QStringLiteral("header = GetValueStr(%1);//\"Order report\"")
                              .arg(QString::fromStdString(index));
    QTRY_VERIFY(dialog.dlg.Preview().ShownText().contains(after));
    // A second row of the other file: both lines, each under its file.
    dialog.Click(5, Qt::ControlModifier);
    dialog.dlg.Preview().Refresh();
    QVERIFY(dialog.dlg.Preview().ShownText().contains(Q(project.report)));
    QVERIFY(dialog.dlg.Preview().ShownText().contains(after));
    QVERIFY(project.SourcesUntouched());
    QVERIFY(!QFile::exists(QString::fromStdString(project.mainSource + "~")));

    dialog.Press("ok");
    QVERIFY(ReadBytes(project.mainSource).find(after.toStdString()) != std::string::npos);
}

QTEST_MAIN(ConstantDlgTest)
#include "constant_dlg_test.moc"
