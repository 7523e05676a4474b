// SPDX-License-Identifier: MIT
// Tests of CLanguageDlg: stored sections, restore, apply, OK, cancel and byte limits.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QCheckBox>
#include <QTemporaryDir>
#include <QtTest>

#include <string>

#include "core/app/workbench_texts.h"
#include "core/platform/file_system.h"
#include "core/platform/profile_store.h"
#include "gui/app/byte_limit_validator.h"
#include "gui/language/language_dlg.h"
#include "gui/text/gbk_codec.h"
#include "gui_fakes.h"

using korvexer::FileSystem;
using korvexer::ProfileStore;
using korvexer::gui::CLanguageDlg;
using korvexer::gui::GbkCodec;
using korvexer::gui::test_support::FakePrompter;

namespace {

std::string ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll().toStdString();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Types `text` one character at a time, as a keyboard or an input method delivers it.
void Type(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
    }
}

}  // namespace

class LanguageDlgTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    FakePrompter m_prompter;

    ProfileStore Store() { return ProfileStore(FileSystem::Real(), m_path.toStdString()); }
    template <typename T>
    static T* Child(CLanguageDlg& dialog, const char* name) {
        T* child = dialog.findChild<T*>(QString::fromLatin1(name));
        if (!child) qFatal("no control %s", name);
        return child;
    }
    static QString Text(CLanguageDlg& dialog, const char* name) {
        return Child<QLineEdit>(dialog, name)->text();
    }

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("korvexer.ini"));
        QFile::remove(m_path);
        m_prompter = FakePrompter();
    }

    void opensOnTheOpenersEntryWithItsStoredSection() {
        WriteAll(m_path,
                 "[language_4]\r\nhexprefix=0X\r\nlinendchar=59\r\n"
                 "[language_0]\r\nhexprefix=WRONG\r\n");
        ProfileStore store = Store();
        CLanguageDlg dialog(store, 4, m_prompter);
        QCOMPARE(dialog.SelectedIndex(), 4);
        QCOMPARE(Child<QComboBox>(dialog, "language")->currentText(), QStringLiteral("Java"));
        QCOMPARE(Text(dialog, "hexprefix"), QStringLiteral("0X"));
        QCOMPARE(Text(dialog, "linendchar"), QStringLiteral(";"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.grab().save(QStringLiteral(KORVEXER_GUI_RENDER_DIR "/language_dlg.png")));
    }

    void selectingALanguageShowsItsValuesAndRestoreShowsTheSame() {
        ProfileStore store = Store();
        CLanguageDlg dialog(store, 0, m_prompter);
        Child<QComboBox>(dialog, "language")->setCurrentIndex(1);
        QCOMPARE(Text(dialog, "begindealmark"), QStringLiteral("private;public;sub;function;"));
        QCOMPARE(Text(dialog, "linendchar"), QString());
        Child<QLineEdit>(dialog, "begindealmark")->setText(QStringLiteral("edited;"));
        Child<QPushButton>(dialog, "restoreDefaults")->click();
        QCOMPARE(Text(dialog, "begindealmark"), QStringLiteral("private;public;sub;function;"));
        QCOMPARE(Text(dialog, "linendchar"), QString());
    }

    void editsNotAppliedAreDroppedOnSwitchingLanguages() {
        WriteAll(m_path, "[language_3]\r\nhexprefix=$\r\n");
        ProfileStore store = Store();
        CLanguageDlg dialog(store, 3, m_prompter);
        auto* language = Child<QComboBox>(dialog, "language");
        Child<QLineEdit>(dialog, "hexprefix")->setText(QStringLiteral("&H"));
        language->setCurrentIndex(5);
        language->setCurrentIndex(3);
        QCOMPARE(Text(dialog, "hexprefix"), QStringLiteral("$"));
    }

    void restoreThenCancelLeavesTheSettingsFileAlone() {
        const QByteArray before = "[language_2]\r\nhexprefix=0h\r\nsetvalue=:=\r\n";
        WriteAll(m_path, before);
        ProfileStore store = Store();
        CLanguageDlg dialog(store, 2, m_prompter);
        QCOMPARE(Text(dialog, "hexprefix"), QStringLiteral("0h"));
        Child<QPushButton>(dialog, "restoreDefaults")->click();
        QVERIFY(Text(dialog, "hexprefix") != QStringLiteral("0h"));
        Child<QPushButton>(dialog, "cancel")->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(ReadAll(m_path), before.toStdString());
    }

    void applyStoresTheShownValuesAndKeepsTheDialogOpen() {
        ProfileStore store = Store();
        CLanguageDlg dialog(store, 6, m_prompter);
        dialog.show();
        Child<QRadioButton>(dialog, "assignColon")->setChecked(true);
        Child<QRadioButton>(dialog, "quoteSingle")->setChecked(true);
        Child<QCheckBox>(dialog, "cr")->setChecked(false);
        Child<QCheckBox>(dialog, "lf")->setChecked(false);
        Child<QLineEdit>(dialog, "separator")->setText(QStringLiteral("|"));
        Child<QPushButton>(dialog, "apply")->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(store.GetString("language_6", "setvalue", "?"), std::string(":="));
        QCOMPARE(store.GetInt("language_6", "quotation", 0), 39);
        QCOMPARE(store.GetString("language_6", "carryreturn", "?"), std::string());
        QCOMPARE(store.GetInt("language_6", "separator", 0), int('|'));
        // The choice of the radio pairs does not leak from one pair to the other.
        QVERIFY(Child<QRadioButton>(dialog, "assignColon")->isChecked());
    }

    void okStoresChineseTextAsGbkAndAccepts() {
        ProfileStore store = Store();
        CLanguageDlg dialog(store, 0, m_prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Child<QLineEdit>(dialog, "onelineexplain")->setText(QStringLiteral("注释"));
        auto* edit = Child<QLineEdit>(dialog, "hexprefix");
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);  // Enter takes the default button, "确定"
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(store.GetString("language_0", "onelineexplain", "?"),
                 GbkCodec::FromQString(QStringLiteral("注释")));
    }

    void enterOnAFocusedButtonPressesThatButtonInsteadOfOk() {
        ProfileStore store = Store();
        CLanguageDlg dialog(store, 2, m_prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Child<QLineEdit>(dialog, "hexprefix")->setText(QStringLiteral("&h"));
        auto* apply = Child<QPushButton>(dialog, "apply");
        apply->setFocus();
        QTest::keyClick(apply, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(store.GetString("language_2", "hexprefix", ""), std::string("&h"));
    }

    void aFailedWriteIsShownAndOkKeepsTheDialogOpen() {
        // The settings folder cannot be made: a file of its name is in the way.
        WriteAll(m_dir.filePath(QStringLiteral("blocked")), "");
        ProfileStore store(FileSystem::Real(),
                           m_dir.filePath(QStringLiteral("blocked/k.ini")).toStdString());
        CLanguageDlg dialog(store, 1, m_prompter);
        dialog.show();
        Child<QPushButton>(dialog, "apply")->click();
        Child<QPushButton>(dialog, "ok")->click();
        QCOMPARE(m_prompter.shown.size(), std::size_t(2));
        const QString text = m_prompter.shown[0].text;
        QVERIFY2(text.startsWith(GbkCodec::ToQString(korvexer::texts::kSettingsWriteFailed)) &&
                     text.contains(m_dir.filePath(QStringLiteral("blocked"))),
                 qPrintable(text));
        QVERIFY(dialog.isVisible() && dialog.result() != int(QDialog::Accepted));
    }

    void editsRefuseInputPastTheirByteLimit_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        // Limits count GBK bytes: a Chinese character takes two.
        QTest::newRow("one-byte field takes one letter") << "linendchar"
                                                         << ";;"
                                                         << ";";
        QTest::newRow("one-byte field refuses a Chinese character") << "escapechar"
                                                                    << "中"
                                                                    << "";
        QTest::newRow("five bytes: two characters and a letter") << "onelineexplain"
                                                                 << "注释ab"
                                                                 << "注释a";
        QTest::newRow("eight bytes: four characters") << "hexprefix"
                                                      << "前缀前缀前"
                                                      << "前缀前缀";
        QTest::newRow("32 bytes of suffixes")
            << "filesubfix" << QString(40, QLatin1Char('x')) << QString(32, QLatin1Char('x'));
        QTest::newRow("128 bytes: 64 characters")
            << "definevalue" << QString(70, QChar(0x5B57)) << QString(64, QChar(0x5B57));
        // Text is stored as GBK: a character GBK cannot hold is refused, never stored as '?'.
        QTest::newRow("a character without a GBK form") << "definevalue"
                                                        << "int;한;"
                                                        << "int;;";
    }
    void editsRefuseInputPastTheirByteLimit() {
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        ProfileStore store = Store();
        CLanguageDlg dialog(store, 0, m_prompter);
        auto* field = Child<QLineEdit>(dialog, edit.toLatin1().constData());
        field->clear();
        Type(field, typed);
        QCOMPARE(field->text(), kept);
    }
};

QTEST_MAIN(LanguageDlgTest)
#include "language_dlg_test.moc"
