// SPDX-License-Identifier: MIT
// Tests of UseChineseTexts: Qt's own texts in Chinese on a desktop of another language.
#include <QtTest>

#include "gui/app/chinese_texts.h"

class ChineseTextsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));  // the desktop's
        QVERIFY2(korvexer::gui::UseChineseTexts(), "no qtbase_zh_CN.qm: see scripts/install-deps");
        QCOMPARE(QLocale().language(), QLocale::Chinese);
    }

    void qtsTextsSpeakChinese_data() {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        // Message-box buttons, the file dialog, the text fields' context menu.
        QTest::newRow("OK") << "QPlatformTheme"
                            << "OK" << QStringLiteral("确定");
        QTest::newRow("Yes") << "QPlatformTheme"
                             << "&Yes" << QStringLiteral("是");
        QTest::newRow("No") << "QPlatformTheme"
                            << "&No" << QStringLiteral("否");
        QTest::newRow("file name") << "QFileDialog"
                                   << "File &name:" << QStringLiteral("文件名");
        QTest::newRow("copy") << "QLineEdit"
                              << "&Copy" << QStringLiteral("复制");
    }
    void qtsTextsSpeakChinese() {
        QFETCH(QString, context);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        const QString shown = QCoreApplication::translate(qPrintable(context), qPrintable(english));
        QVERIFY2(shown.contains(chinese), qPrintable(shown));
    }
};

QTEST_MAIN(ChineseTextsTest)
#include "chinese_texts_test.moc"
