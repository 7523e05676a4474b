// SPDX-License-Identifier: MIT
// Tests of UseChineseTexts: Qt's own texts in Chinese on a desktop of another language.
#include <memory>

#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "gui/app/chinese_texts.h"

using korvexer::gui::UseChineseTexts;

class ChineseTextsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // The desktop speaks English; the window must not.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY2(UseChineseTexts(), "qtbase_zh_CN.qm not found: install qt6-translations-l10n");
    }

    void theLocaleIsChineseWhateverTheDesktopSays() {
        QCOMPARE(QLocale().language(), QLocale::Chinese);
        QCOMPARE(QLocale().territory(), QLocale::China);
    }

    void messageBoxButtonsSpeakChinese_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("word");
        QTest::newRow("OK") << int(QMessageBox::Ok) << QStringLiteral("确定");
        QTest::newRow("Yes") << int(QMessageBox::Yes) << QStringLiteral("是");
        QTest::newRow("No") << int(QMessageBox::No) << QStringLiteral("否");
    }
    void messageBoxButtonsSpeakChinese() {
        QFETCH(int, button);
        QFETCH(QString, word);
        QMessageBox box(QMessageBox::Question, QStringLiteral("系统提示"), QStringLiteral("?"),
                        QMessageBox::Ok | QMessageBox::Yes | QMessageBox::No);
        const QString text = box.button(QMessageBox::StandardButton(button))->text();
        QVERIFY2(text.contains(word), qPrintable(text));
    }

    void theTextFieldsMenuSpeaksChinese() {
        QLineEdit edit;
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator()) texts << action->text();
        QVERIFY2(texts.join(QLatin1Char(' ')).contains(QStringLiteral("复制")),
                 qPrintable(texts.join(QLatin1Char(' '))));
        QVERIFY2(!texts.join(QLatin1Char(' ')).contains(QStringLiteral("Copy")),
                 qPrintable(texts.join(QLatin1Char(' '))));
    }

    void fileDialogLabelsSpeakChinese() {
        QCOMPARE(QCoreApplication::translate("QFileDialog", "File &name:")
                     .contains(QStringLiteral("文件名")),
                 true);
    }
};

QTEST_MAIN(ChineseTextsTest)
#include "chinese_texts_test.moc"
