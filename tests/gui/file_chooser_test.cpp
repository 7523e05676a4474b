// SPDX-License-Identifier: MIT
// Tests of the file dialogs' filters: the platform's reading of the model's filters, and Qt's
// own dialog offering what the picked filter matches, without regard to case.
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>
#include <QtTest>

#include "core/app/workbench.h"
#include "gui/app/file_name_filter_proxy.h"
#include "gui/app/name_filter.h"
#include "gui/text/gbk_codec.h"

using korvexer::Workbench;
using korvexer::gui::DialogFilters;
using korvexer::gui::DialogPlatform;
using korvexer::gui::FilterPurpose;
using korvexer::gui::NameFilter;

namespace {

const std::vector<korvexer::FileFilter> kSources = {
    {korvexer::gui::GbkCodec::FromQString(QStringLiteral("源码")), "*.cpp;*.c;"}, {"all", "*.*"}};

// The filters as one line: "description: patterns [+ no suffix] | ...".
QString Written(const QList<NameFilter>& filters) {
    QStringList parts;
    for (const NameFilter& f : filters)
        parts << f.description + ": " + f.patterns.join(' ') +
                     (f.withoutSuffix ? " + no suffix" : "");
    return parts.join(QStringLiteral(" | "));
}

QStringList Shown(QFileDialog& dialog) {
    auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    for (int row = 0; view && row < view->model()->rowCount(view->rootIndex()); ++row)
        names << view->model()->index(row, 0, view->rootIndex()).data().toString();
    names.sort();
    return names;
}

}  // namespace

class FileChooserTest : public QObject {
    Q_OBJECT
private slots:
    void filtersFollowThePlatform() {
        const auto app = Workbench::ApplicationFileFilters();
        const QString programs =
            QStringLiteral("应用程序(*.exe;*.dll;*.class): *.exe *.dll *.class");
        QCOMPARE(
            Written(DialogFilters(app, FilterPurpose::ApplicationFile, DialogPlatform::Windows)),
            programs + QStringLiteral(" | 所有文件(*.*): *.*"));
        QCOMPARE(Written(DialogFilters(app, FilterPurpose::ApplicationFile, DialogPlatform::Linux)),
                 programs + QStringLiteral(" + no suffix | 所有文件(*.*): *"));
        QCOMPARE(
            Written(DialogFilters(kSources, FilterPurpose::SourceFiles, DialogPlatform::Windows)),
            QStringLiteral("源码: *.cpp *.c | all: *.*"));
        QCOMPARE(
            Written(DialogFilters(kSources, FilterPurpose::SourceFiles, DialogPlatform::Linux)),
            QStringLiteral("源码: *.cpp *.c | all: *"));
        QCOMPARE(Written(DialogFilters({{"x", " ; ;"}}, FilterPurpose::SourceFiles)),
                 QStringLiteral("x: *"));
    }

    void qtsDialogShowsWhatThePickedFilterOffers() {
        QTemporaryDir dir;
        // Upper-case suffixes, a name without a suffix, one no filter but "all" offers.
        for (const char* name : {"MAIN.CPP", "util.c", "notes.txt", "tool", "setup.EXE"})
            QVERIFY(QFile(dir.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QFileDialog dialog(nullptr, QString(), dir.path());
        korvexer::gui::UseOwnNameMatching(
            dialog, DialogFilters(kSources, FilterPurpose::SourceFiles, DialogPlatform::Linux));
        dialog.show();
        QTRY_COMPARE(Shown(dialog), (QStringList{"MAIN.CPP", "sub", "util.c"}));
        // The box shows the descriptions; picking "all" with the keyboard offers every file.
        auto* box = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(box);
        QCOMPARE(box->itemText(0), QStringLiteral("源码"));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        QTRY_COMPARE(Shown(dialog).size(), 6);

        QFileDialog programs(nullptr, QString(), dir.path());
        korvexer::gui::UseOwnNameMatching(
            programs, DialogFilters(Workbench::ApplicationFileFilters(),
                                    FilterPurpose::ApplicationFile, DialogPlatform::Linux));
        programs.show();
        QTRY_COMPARE(Shown(programs), (QStringList{"setup.EXE", "sub", "tool"}));
    }
};

QTEST_MAIN(FileChooserTest)
#include "file_chooser_test.moc"
