// SPDX-License-Identifier: MIT
// Tests of StartOptions: what the window's command line accepts and refuses.
#include <QtTest>

#include "gui/app/start_options.h"

using korvexer::gui::StartOptions;

class StartOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("screenshotFolder");
        QTest::newRow("nothing: the window") << QStringList{"korvexer"} << true << QString();
        QTest::newRow("screenshot") << QStringList{"korvexer", "--screenshot", "/tmp/out"} << true
                                    << QStringLiteral("/tmp/out");
        QTest::newRow("screenshot with =")
            << QStringList{"korvexer", "--screenshot=/tmp/o"} << true << QStringLiteral("/tmp/o");
        QTest::newRow("screenshot without folder")
            << QStringList{"korvexer", "--screenshot"} << false << QString();
        QTest::newRow("unknown option") << QStringList{"korvexer", "--bogus"} << false << QString();
        QTest::newRow("left-over argument")
            << QStringList{"korvexer", "project.ini"} << false << QString();
    }
    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, accepted);
        QFETCH(QString, screenshotFolder);
        StartOptions options;
        QCOMPARE(options.Parse(arguments), accepted);
        QCOMPARE(options.ErrorText().isEmpty(), accepted);
        if (accepted) QCOMPARE(options.ScreenshotFolder(), screenshotFolder);
    }
};

QTEST_MAIN(StartOptionsTest)
#include "start_options_test.moc"
