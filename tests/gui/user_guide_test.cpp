// SPDX-License-Identifier: MIT
// Tests of the user guide carried in the program's resources.
#include <QtTest>

#include <string>

#include "gui/app/user_guide.h"
#include "gui/text/gbk_codec.h"

using korvexer::gui::GbkCodec;
using korvexer::gui::LoadUserGuide;
using korvexer::gui::UserGuideLoad;

class UserGuideTest : public QObject {
    Q_OBJECT
private slots:
    void guideIsGbkTextWithCrLfLineEnds() {
        std::string guide;
        QCOMPARE(LoadUserGuide(guide), UserGuideLoad::Loaded);
        QVERIFY(guide.size() > 1000);
        // Every line ends in CR LF; no LF stands alone and no CR either.
        for (std::size_t i = 0; i < guide.size(); ++i) {
            if (guide[i] == '\n') QVERIFY2(i > 0 && guide[i - 1] == '\r', "LF without CR");
            if (guide[i] == '\r') QVERIFY2(i + 1 < guide.size() && guide[i + 1] == '\n', "lone CR");
        }
        QVERIFY(guide.find('\0') == std::string::npos);
        // The text decodes as GBK without a replacement character and covers each subject.
        const QString text = GbkCodec::ToQString(guide);
        QVERIFY(!text.contains(QChar(0xFFFD)));
        for (const QString& subject :
             {QStringLiteral("产品商号"), QStringLiteral("编程语言设置"), QStringLiteral("添加"),
              QStringLiteral("第二步 数据保护"), QStringLiteral("第三步 功能耦合"),
              QStringLiteral("保存设置"), QStringLiteral("撤回")})
            QVERIFY2(text.contains(subject), qPrintable(subject));
    }

    void linuxDesktopsGetUtf8WithLfLineEnds() {
        std::string guide;
        QCOMPARE(LoadUserGuide(guide), UserGuideLoad::Loaded);
        const std::string utf8 = korvexer::gui::GuideAsUtf8(guide);
        QVERIFY(utf8.find('\r') == std::string::npos);
        const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
        QCOMPARE(text,
                 GbkCodec::ToQString(guide).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QVERIFY(text.startsWith(QStringLiteral("Korvexer 2.6 使用说明\n")));
#ifdef _WIN32
        QCOMPARE(korvexer::gui::GuideForPlatform(guide), guide);
#else
        QCOMPARE(korvexer::gui::GuideForPlatform(guide), utf8);
#endif
    }

    void missingResourceIsToldApart() {
        std::string guide = "left over";
        QCOMPARE(LoadUserGuide(guide, QStringLiteral(":/korvexer/no_such_guide.txt")),
                 UserGuideLoad::Missing);
        QVERIFY(guide.empty());
    }
};

QTEST_MAIN(UserGuideTest)
#include "user_guide_test.moc"
