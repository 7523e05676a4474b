// SPDX-License-Identifier: MIT
// Tests of the file dialogs' filters: the platform's reading of the model's filters, case-blind
// matching, and Qt's own dialog showing what the chosen filter offers.
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>
#include <QtTest>

#include <string>
#include <vector>

#include "core/app/workbench.h"
#include "gui/app/file_name_filter_proxy.h"
#include "gui/app/name_filter.h"
#include "gui/text/gbk_codec.h"

using korvexer::FileFilter;
using korvexer::Workbench;
using korvexer::gui::DialogFilters;
using korvexer::gui::DialogPlatform;
using korvexer::gui::FilterPurpose;
using korvexer::gui::NameFilter;
using korvexer::gui::NameFilterMatches;

Q_DECLARE_METATYPE(NameFilter)

namespace {

std::vector<FileFilter> SourceFilters() {
    const auto gbk = [](const char* text) {
        return korvexer::gui::GbkCodec::FromQString(QString::fromUtf8(text));
    };
    return {{gbk("源码文件(*.cpp;*.c;)"), "*.cpp;*.c;"}, {gbk("所有文件(*.*)"), "*.*"}};
}

NameFilter Filter(QStringList patterns, bool withoutSuffix = false) {
    return NameFilter{QStringLiteral("f"), std::move(patterns), withoutSuffix};
}

QStringList Shown(QFileDialog& dialog) {
    auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    if (view == nullptr) return {QStringLiteral("<no list>")};
    QStringList names;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row)
        names << view->model()->index(row, 0, root).data().toString();
    names.sort();
    return names;
}

}  // namespace

class FileChooserTest : public QObject {
    Q_OBJECT
private slots:
    void filtersFollowThePlatform_data() {
        QTest::addColumn<int>("platform");
        QTest::addColumn<int>("purpose");
        QTest::addColumn<QList<NameFilter>>("expected");
        const QString exe = QStringLiteral("应用程序(*.exe;*.dll;*.class)");
        const QString all = QStringLiteral("所有文件(*.*)");
        const QStringList programs = {QStringLiteral("*.exe"), QStringLiteral("*.dll"),
                                      QStringLiteral("*.class")};
        const QStringList sources = {QStringLiteral("*.cpp"), QStringLiteral("*.c")};
        const QString source = QStringLiteral("源码文件(*.cpp;*.c;)");
        // The texts shown stay as they are; only what they match follows the platform.
        QTest::newRow("Windows application: as the model says")
            << int(DialogPlatform::Windows) << int(FilterPurpose::ApplicationFile)
            << QList<NameFilter>{{exe, programs, false}, {all, {QStringLiteral("*.*")}, false}};
        QTest::newRow("Linux application: names without a suffix, every file")
            << int(DialogPlatform::Linux) << int(FilterPurpose::ApplicationFile)
            << QList<NameFilter>{{exe, programs, true}, {all, {QStringLiteral("*")}, false}};
        QTest::newRow("Windows sources")
            << int(DialogPlatform::Windows) << int(FilterPurpose::SourceFiles)
            << QList<NameFilter>{{source, sources, false}, {all, {QStringLiteral("*.*")}, false}};
        QTest::newRow("Linux sources: no suffix-less names")
            << int(DialogPlatform::Linux) << int(FilterPurpose::SourceFiles)
            << QList<NameFilter>{{source, sources, false}, {all, {QStringLiteral("*")}, false}};
    }
    void filtersFollowThePlatform() {
        QFETCH(int, platform);
        QFETCH(int, purpose);
        QFETCH(QList<NameFilter>, expected);
        const std::vector<FileFilter> model = FilterPurpose(purpose) == FilterPurpose::SourceFiles
                                                  ? SourceFilters()
                                                  : Workbench::ApplicationFileFilters();
        const QList<NameFilter> filters =
            DialogFilters(model, FilterPurpose(purpose), DialogPlatform(platform));
        QCOMPARE(filters.size(), expected.size());
        for (qsizetype i = 0; i < filters.size(); ++i) {
            QCOMPARE(filters[i].description, expected[i].description);
            QCOMPARE(filters[i].patterns, expected[i].patterns);
            QCOMPARE(filters[i].withoutSuffix, expected[i].withoutSuffix);
        }
    }

    void aFilterWithoutPatternsOffersEveryFile() {
        const QList<NameFilter> filters =
            DialogFilters({{"x", " ; ;"}}, FilterPurpose::SourceFiles, DialogPlatform::Linux);
        QCOMPARE(filters.value(0).patterns, QStringList{QStringLiteral("*")});
    }

    void namesMatchWithoutRegardToCase_data() {
        QTest::addColumn<NameFilter>("filter");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("offered");
        const NameFilter cpp = Filter({QStringLiteral("*.cpp"), QStringLiteral("*.c")});
        const NameFilter programs = Filter({QStringLiteral("*.exe")}, true);
        QTest::newRow("lower case") << cpp << "main.cpp" << true;
        QTest::newRow("upper case") << cpp << "MAIN.CPP" << true;
        QTest::newRow("mixed case, second pattern") << cpp << "Util.C" << true;
        QTest::newRow("suffix in the middle") << cpp << "main.cpp.bak" << false;
        QTest::newRow("other suffix") << cpp << "main.cs" << false;
        QTest::newRow("no suffix, sources") << cpp << "Makefile" << false;
        QTest::newRow("no suffix, programs") << programs << "korvexer" << true;
        QTest::newRow("program suffix") << programs << "TOOL.EXE" << true;
        QTest::newRow("other suffix, programs") << programs << "notes.txt" << false;
        QTest::newRow("every file") << Filter({QStringLiteral("*")}) << "README" << true;
        QTest::newRow("every file, dotted") << Filter({QStringLiteral("*")}) << "a.b.c" << true;
        QTest::newRow("Chinese name") << cpp << QStringLiteral("主程序.CPP") << true;
    }
    void namesMatchWithoutRegardToCase() {
        QFETCH(NameFilter, filter);
        QFETCH(QString, name);
        QFETCH(bool, offered);
        QCOMPARE(NameFilterMatches(filter, name), offered);
    }

    void qtsDialogShowsWhatThePickedFilterOffers() {
        QTemporaryDir dir;
        for (const char* name : {"MAIN.CPP", "util.c", "notes.txt", "tool", "setup.EXE"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        const QList<NameFilter> sources =
            DialogFilters(SourceFilters(), FilterPurpose::SourceFiles, DialogPlatform::Linux);
        QFileDialog dialog(nullptr, QString(), dir.path());
        korvexer::gui::UseOwnNameMatching(dialog, sources);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QStringList offered = {QStringLiteral("MAIN.CPP"), QStringLiteral("sub"),
                                     QStringLiteral("util.c")};
        QTRY_COMPARE(Shown(dialog), offered);
        // The filter box shows the descriptions as the model words them.
        auto* box = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(box);
        QCOMPARE(box->itemText(0), QStringLiteral("源码文件(*.cpp;*.c;)"));
        QCOMPARE(box->itemText(1), QStringLiteral("所有文件(*.*)"));
        // Picking "所有文件" as a user does offers every file, suffix or none.
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->currentIndex(), 1);
        QTRY_COMPARE(Shown(dialog).size(), 6);

        QFileDialog programs(nullptr, QString(), dir.path());
        korvexer::gui::UseOwnNameMatching(
            programs, DialogFilters(Workbench::ApplicationFileFilters(),
                                    FilterPurpose::ApplicationFile, DialogPlatform::Linux));
        programs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&programs));
        QTRY_COMPARE(Shown(programs), (QStringList{QStringLiteral("setup.EXE"),
                                                   QStringLiteral("sub"), QStringLiteral("tool")}));
    }
};

QTEST_MAIN(FileChooserTest)
#include "file_chooser_test.moc"
