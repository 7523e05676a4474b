// SPDX-License-Identifier: MIT
// Tests of CAboutDlg and the program icon: texts, default button, icon drawn.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "gui/app/about_dlg.h"
#include "gui/app/program_icon.h"

using korvexer::gui::CAboutDlg;

class AboutDlgTest : public QObject {
    Q_OBJECT
private slots:
    void showsCaptionVersionAndIcon() {
        CAboutDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("关于 Korvexer"));
        auto* version = dialog.findChild<QLabel*>(QStringLiteral("version"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("Korvexer 2.6 版"));
        auto* icon = dialog.findChild<QLabel*>(QStringLiteral("icon"));
        QVERIFY(icon);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // The icon sits left of the text.
        QVERIFY(icon->geometry().right() < version->geometry().left());
        QVERIFY(dialog.grab().save(QStringLiteral(KORVEXER_GUI_RENDER_DIR "/about_dlg.png")));
    }

    void enterClosesTheBoxThroughTheDefaultButton() {
        CAboutDlg dialog;
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("ok"));
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("确定"));
        QVERIFY(ok->isDefault());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    void iconIsPaintedAtEverySize() {
        for (int size : {16, 32, 64}) {
            const QImage image = korvexer::gui::ProgramPixmap(size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            // Corners stay clear; the middle is covered by the tile or the letter.
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
            // Some pixels are white (the letter), some are the arrow's orange.
            bool white = false, orange = false;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const QColor c = image.pixelColor(x, y);
                    white = white || (c.red() > 240 && c.green() > 240 && c.blue() > 240);
                    orange = orange ||
                             (c.red() > 230 && c.green() > 120 && c.green() < 200 && c.blue() < 80);
                }
            QVERIFY2(white && orange, qPrintable(QString::number(size)));
        }
    }
};

QTEST_MAIN(AboutDlgTest)
#include "about_dlg_test.moc"
