// SPDX-License-Identifier: MIT
// Tests of CWorkbenchApp: the settings file it runs on, and the seed it takes over.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/app/workbench_app.h"

using korvexer::gui::CWorkbenchApp;

class WorkbenchAppTest : public QObject {
    Q_OBJECT
private slots:
    void settingsAreNamedAfterTheExecutableInTheConfigurationFolder_data() {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("file");
        QTest::newRow("korvexer") << "/opt/bin/korvexer"
                                  << "korvexer.ini";
        QTest::newRow("renamed") << "/opt/bin/other"
                                 << "other.ini";
    }
    void settingsAreNamedAfterTheExecutableInTheConfigurationFolder() {
        QFETCH(QString, executable);
        QFETCH(QString, file);
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        const CWorkbenchApp app(executable.toStdString());
        QCOMPARE(QString::fromStdString(app.SettingsPath()),
                 config.path() + QStringLiteral("/korvexer/") + file);
    }

    void screenshotsSeedTheWorkingCopyAndRenderThreePictures() {
        QTemporaryDir config;
        QTemporaryDir bin;
        QTemporaryDir out;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        // The seed beside the executable, not one that an installed package left in /etc/xdg.
        qputenv("XDG_CONFIG_DIRS", out.path().toUtf8());
        const QString executable = bin.filePath(QStringLiteral("korvexer"));
        QFile seed(bin.filePath(QStringLiteral("korvexer.ini")));
        QVERIFY(seed.open(QIODevice::WriteOnly));
        seed.write("[Common Data]\r\nCompanyID=SEEDED\r\n");
        seed.close();
        CWorkbenchApp app(executable.toStdString());
        QCOMPARE(app.RenderScreenshots(out.path()), 0);
        QFile working(config.filePath(QStringLiteral("korvexer/korvexer.ini")));
        QVERIFY(working.open(QIODevice::ReadOnly));
        QVERIFY(working.readAll().contains("SEEDED"));
        for (const char* name : {"workbench.png", "language.png", "about.png"}) {
            QImage picture(out.filePath(QString::fromLatin1(name)));
            QVERIFY2(!picture.isNull() && picture.width() > 200, name);
        }
    }
};

QTEST_MAIN(WorkbenchAppTest)
#include "workbench_app_test.moc"
