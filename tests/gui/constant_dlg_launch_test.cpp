// SPDX-License-Identifier: MIT
// Tests of StepLauncher: the step dialogs opened from the main window's model, and the record
// written after OK.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include <cstdint>
#include <string>
#include <vector>

#include "core/app/project_settings.h"
#include "core/app/workbench.h"
#include "core/list/list_texts.h"
#include "core/platform/clock.h"
#include "core/platform/profile_store.h"
#include "core/record/record_file.h"
#include "gui/app/step_launcher.h"
#include "gui/app/workbench_dlg.h"
#include "gui/constants/constant_dlg.h"
#include "gui/controls/grid_list_ctrl.h"
#include "gui/controls/row_list_model.h"
#include "gui/functions/function_dlg.h"
#include "tests/gui/gui_fakes.h"
#include "tests/support/test_support.h"

using korvexer::FileSystem;
using korvexer::ProfileStore;
using korvexer::RowList;
using korvexer::Workbench;
using korvexer::gui::CConstantDlg;
using korvexer::gui::CFunctionDlg;
using korvexer::gui::RowListModel;
using korvexer::gui::StepLauncher;
using korvexer::gui::test_support::FakePrompter;
using korvexer::test_support::ReadBytes;
using korvexer::test_support::TempDir;
using korvexer::test_support::WriteBytes;

namespace {

// A saved project over a copy of the sample: settings, the application's folder for the record
// file, main.cpp and report.cpp in its source-file list, and a window with the main source field.
struct Project {
    Project() {
        made = FileSystem::Real().CreateDirectories(dir.File("bin")).ok();
        for (const char* name : {"main.cpp", "report.cpp", "report.h"})
            WriteBytes(dir.File(name), ReadBytes(std::string(KORVEXER_SAMPLES "/orders/") + name));
        model.Initialise();
        model.AddSourceFiles({dir.File("main.cpp"), dir.File("report.cpp")});
        saved = model
                    .Save(korvexer::WorkbenchForm{"Acme", "Orders", 0, dir.File("main.cpp"),
                                                  dir.File("bin/orders.exe")})
                    .completed;
        auto* layout = new QVBoxLayout(&window);
        field = new QLineEdit(QString::fromStdString(dir.File("main.cpp")), &window);
        layout->addWidget(new QLineEdit(&window));
        layout->addWidget(field);
        window.show();
    }

    TempDir dir;
    bool made = false;
    bool saved = false;
    ProfileStore store{FileSystem::Real(), dir.File("korvexer.ini")};
    Workbench model{FileSystem::Real(), store};
    korvexer::FixedClock clock{1'700'000'000};
    FakePrompter prompter;
    StepLauncher launcher{model, FileSystem::Real(), prompter, clock};
    QWidget window;
    QLineEdit* field = nullptr;
};

int RowOf(const RowListModel& rows, int column, std::string_view text) {
    for (int row = 0; row < rows.rowCount(); ++row)
        if (rows.Text(row, column) == text) return row;
    return -1;
}

void Select(korvexer::gui::CGridListCtrl& list, int row) {
    list.selectionModel()->setCurrentIndex(
        list.Rows().index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void Press(QDialog& dialog, const char* name) {
    dialog.findChild<QPushButton*>(QLatin1String(name))->click();
}

}  // namespace

class StepLauncherTest : public QObject {
    Q_OBJECT

private slots:
    void constantStepNeedsTheMainSourceField_data();
    void constantStepNeedsTheMainSourceField();
    void oneConstantTravelsToTheRecordAndBack();
    void functionStepOpensWithoutAMainSourceAndCancelKeepsTheLists();
    void windowStepButtonsRunTheStepsAndWriteTheRecord();
    void renderedDialogsChangeNothing();
};

void StepLauncherTest::constantStepNeedsTheMainSourceField_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks only") << QStringLiteral(" \t ");
}

void StepLauncherTest::constantStepNeedsTheMainSourceField() {
    QFETCH(QString, text);
    Project project;
    project.field->setText(text);
    bool ran = false;
    project.launcher.SetDialogRunner([&ran](QDialog&) {
        ran = true;
        return int(QDialog::Accepted);
    });
    QVERIFY(!project.launcher.RunConstantStep(&project.window, project.field));
    QVERIFY(!ran);
    QCOMPARE(project.prompter.shown.size(), std::size_t{1});
    QCOMPARE(project.prompter.shown[0].text,
             QStringLiteral("入口主源码文件名字段不能为空，请输入！"));
    QCOMPARE(project.prompter.shown[0].caption, QStringLiteral("提示信息"));
    QCOMPARE(project.window.focusWidget(), project.field);
}

void StepLauncherTest::oneConstantTravelsToTheRecordAndBack() {
    Project project;
    QVERIFY(project.made && project.saved);
    const std::string main = project.dir.File("main.cpp");
    const std::string original = ReadBytes(main);
    std::string index;
    // The field is read as typed: leading blanks go, the path stays.
    project.field->setText(QStringLiteral("  ") + project.field->text());
    project.launcher.SetDialogRunner([&](QDialog& dialog) {
        auto& constants = static_cast<CConstantDlg&>(dialog);
        const int row = RowOf(constants.List().Rows(), korvexer::kStepValue, "Order report");
        if (row < 0) return int(QDialog::Rejected);
        index = constants.List().Rows().Text(row, korvexer::kStepKey);
        Select(constants.List(), row);
        Press(dialog, "replace");
        Press(dialog, "ok");
        return dialog.result();
    });
    QVERIFY(project.launcher.RunConstantStep(&project.window, project.field));
    QVERIFY(!index.empty());
    QVERIFY(project.prompter.shown.empty());
    QVERIFY(ReadBytes(main).find("GetValueStr(" + index + ");//\"Order report\"") !=
            std::string::npos);
    QCOMPARE(project.model.constants().size(), std::size_t{1});

    // What the window does after OK: the record beside the application and its copy.
    QVERIFY(project.model.SaveRecordAfterStep().message == std::nullopt);
    for (const std::string& record :
         {project.dir.File("bin/orders.con"), project.dir.File("orders.con")}) {
        korvexer::RecordLists lists;
        std::int32_t counter = korvexer::kFirstConstantIndex;
        QCOMPARE(int(korvexer::ReadRecordFile(FileSystem::Real(), record, lists, counter)),
                 int(korvexer::RecordReadResult::Complete));
        QCOMPARE(lists.constants.size(), std::size_t{1});
        QCOMPARE(lists.constants[0].columns,
                 (std::vector<std::string>{index, std::string(korvexer::texts::kTypeString),
                                           "Order report", main, "17:13"}));
    }

    // The next opening numbers from the record's last index, shows the row marked, and taking it
    // back restores the literal.
    std::string state;
    project.launcher.SetDialogRunner([&](QDialog& dialog) {
        auto& constants = static_cast<CConstantDlg&>(dialog);
        const int row = RowOf(constants.List().Rows(), korvexer::kStepKey, index);
        if (row < 0) return int(QDialog::Rejected);
        state = constants.List().Rows().Text(row, korvexer::kStepState);
        Press(dialog, "revertAll");
        Press(dialog, "ok");
        return dialog.result();
    });
    QVERIFY(project.launcher.RunConstantStep(&project.window, project.field));
    QCOMPARE(project.model.lastConstantIndex(), std::stoi(index));
    QCOMPARE(state, std::string(korvexer::texts::kStateReplace));
    QCOMPARE(ReadBytes(main), original);
    QVERIFY(project.model.constants().empty());
}

void StepLauncherTest::functionStepOpensWithoutAMainSourceAndCancelKeepsTheLists() {
    Project project;
    project.model.functions().Append(
        {"1", "gone", "abs_kx", project.dir.File("report.cpp"), "1:1"});
    project.field->clear();
    std::size_t rows = 0;
    project.launcher.SetDialogRunner([&](QDialog& dialog) {
        auto& functions = static_cast<CFunctionDlg&>(dialog);
        rows = functions.Model().rows().size();
        Press(dialog, "cancel");
        return dialog.result();
    });
    QVERIFY(!project.launcher.RunFunctionStep(&project.window, project.field));
    // The calls of both listed files and the record row that no call matches.
    QCOMPARE(rows, std::size_t{8});
    QVERIFY(project.prompter.shown.empty());
    QCOMPARE(project.model.functions().size(), std::size_t{1});
}

void StepLauncherTest::windowStepButtonsRunTheStepsAndWriteTheRecord() {
    Project project;
    QVERIFY(project.made && project.saved);
    korvexer::gui::test_support::FakeFileChooser chooser;
    korvexer::gui::test_support::FakeShellOpener opener;
    korvexer::gui::CWorkbenchDlg window(project.model, project.store, project.prompter, chooser,
                                        opener);
    project.launcher.Attach(window);
    const std::string record = project.dir.File("bin/orders.con");
    QVERIFY(FileSystem::Real().Remove(record).ok());
    // A UTF-8 file with LF breaks, while the language breaks at CR LF.
    const std::string greeting = project.dir.File("greeting.cpp");
    WriteBytes(greeting, ReadBytes(KORVEXER_SAMPLES "/orders/greeting.cpp"));
    project.model.AddSourceFiles({greeting});

    // The function step button: pair strlen with its substitute and press OK.
    std::vector<QString> opened;
    project.launcher.SetDialogRunner([&](QDialog& dialog) {
        opened.push_back(dialog.windowTitle());
        if (auto* functions = qobject_cast<CFunctionDlg*>(&dialog)) {
            const int row = RowOf(functions->List().Rows(), korvexer::kStepName, "strlen");
            if (row < 0) return int(QDialog::Rejected);
            Select(functions->List(), row);
            functions->Catalogue().setCurrentRow(
                int(korvexer::FindExactSubstitute(functions->Model().catalogue(), "strlen")
                        .value_or(0)));
            Press(dialog, "replace");
        }
        Press(dialog, "ok");
        return dialog.result();
    });
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("functionStep")),
                      Qt::LeftButton);
    QCOMPARE(opened, std::vector<QString>{QStringLiteral("功能耦合")});
    QCOMPARE(project.model.functions().size(), std::size_t{1});
    QCOMPARE(project.model.functions().Text(0, 2), std::string("strlen_kx"));
    korvexer::RecordLists lists;
    std::int32_t counter = korvexer::kFirstConstantIndex;
    QCOMPARE(int(korvexer::ReadRecordFile(FileSystem::Real(), record, lists, counter)),
             int(korvexer::RecordReadResult::Complete));
    QCOMPARE(lists.functions.size(), std::size_t{1});
    QVERIFY(!project.model.dirty());
    // What the step's scan noticed is on the window's status line, naming the file once.
    const QString status = window.findChild<QLabel*>(QStringLiteral("status"))->text();
    QCOMPARE(status.count(QStringLiteral("greeting.cpp")), 1);

    // The constant step button with the main source field emptied: the message, no dialog.
    window.findChild<QLineEdit*>(QStringLiteral("mainSource"))->clear();
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("constantStep")),
                      Qt::LeftButton);
    QCOMPARE(opened.size(), std::size_t{1});
    QCOMPARE(project.prompter.shown.size(), std::size_t{1});
    QCOMPARE(project.prompter.shown[0].caption, QStringLiteral("提示信息"));
}

void StepLauncherTest::renderedDialogsChangeNothing() {
    Project project;
    QVERIFY(project.made && project.saved);
    korvexer::gui::test_support::FakeFileChooser chooser;
    korvexer::gui::test_support::FakeShellOpener opener;
    korvexer::gui::CWorkbenchDlg window(project.model, project.store, project.prompter, chooser,
                                        opener);
    // Also without a main source file: no message box may stop an unattended run.
    window.findChild<QLineEdit*>(QStringLiteral("mainSource"))->clear();
    const std::string main = ReadBytes(project.dir.File("main.cpp"));
    QTemporaryDir out;
    QVERIFY(project.launcher.RenderDialogs(window, out.path()));
    for (const char* name : {"constant_dlg.png", "function_dlg.png"}) {
        const QImage picture(QDir(out.path()).filePath(QLatin1String(name)));
        QVERIFY2(picture.width() >= 600 && picture.height() >= 400, name);
    }
    QVERIFY(project.prompter.shown.empty());
    QCOMPARE(ReadBytes(project.dir.File("main.cpp")), main);
    QVERIFY(project.model.constants().empty() && project.model.functions().empty());
}

QTEST_MAIN(StepLauncherTest)
#include "constant_dlg_launch_test.moc"
