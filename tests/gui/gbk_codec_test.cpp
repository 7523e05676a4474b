// SPDX-License-Identifier: MIT
// Tests of the GBK adapter: Chinese both ways, broken bytes, characters GBK cannot hold.
#include <QtTest>

#include <string>

#include "gui/text/gbk_codec.h"

using korvexer::gui::GbkCodec;

class GbkCodecTest : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void brokenBytesShowAsReplacement();
    void unencodableCharacterIsReported();
    void sourceTextInItsFilesEncoding();
};

void GbkCodecTest::roundTrip_data() {
    QTest::addColumn<QByteArray>("gbk");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("ascii") << QByteArray("x = \"abc\";") << QStringLiteral("x = \"abc\";");
    QTest::newRow("state") << QByteArray("\xCC\xE6\xBB\xBB") << QStringLiteral("替换");
    // Second bytes that are ']' and '\' and 'A' must not be taken apart.
    QTest::newRow("trail bytes") << QByteArray("\x93\x5D\x81\x5C\x81\x41")
                                 << QStringLiteral("揮乗丄");
    QTest::newRow("mixed") << QByteArray("C:\\\xCE\xC4\xBC\xFE\\a.cpp")
                           << QStringLiteral("C:\\文件\\a.cpp");
}

void GbkCodecTest::roundTrip() {
    QFETCH(QByteArray, gbk);
    QFETCH(QString, text);
    const std::string bytes(gbk.constData(), static_cast<std::size_t>(gbk.size()));
    QCOMPARE(GbkCodec::ToQString(bytes), text);
    bool exact = false;
    QCOMPARE(GbkCodec::FromQString(text, &exact), bytes);
    QVERIFY(exact);
}

void GbkCodecTest::brokenBytesShowAsReplacement() {
    // A lead byte at the end has no second byte.
    const QString shown = GbkCodec::ToQString(std::string("ab\xCC"));
    QVERIFY(shown.startsWith(QStringLiteral("ab")));
    QVERIFY(shown.contains(QChar(QChar::ReplacementCharacter)));
    // The lead byte left over above is not carried into the next conversion.
    QCOMPARE(GbkCodec::ToQString(std::string("\xCC\xE6\xBB\xBB")), QStringLiteral("替换"));
}

void GbkCodecTest::unencodableCharacterIsReported() {
    bool exact = true;
    const std::string bytes = GbkCodec::FromQString(QStringLiteral("a\U0001F600b"), &exact);
    QVERIFY(!exact);
    QVERIFY(bytes.size() >= 2);
    QCOMPARE(bytes.front(), 'a');
    QCOMPARE(bytes.back(), 'b');
}

void GbkCodecTest::sourceTextInItsFilesEncoding() {
    using korvexer::TextEncoding;
    // The same bytes read as UTF-8 and as GBK; UTF-8 text goes back as the very bytes.
    const std::string utf8 = "\xE5\xA5\xBD\\";  // "好\"
    QCOMPARE(GbkCodec::ToQString(utf8, TextEncoding::Utf8), QStringLiteral("好\\"));
    QCOMPARE(GbkCodec::ToQString(utf8, TextEncoding::Gbk), GbkCodec::ToQString(utf8));
    bool exact = false;
    QCOMPARE(GbkCodec::FromQString(QStringLiteral("好\\"), TextEncoding::Utf8, &exact), utf8);
    QVERIFY(exact);
    QCOMPARE(GbkCodec::FromQString(QStringLiteral("好"), TextEncoding::Gbk),
             std::string("\xBA\xC3"));
    // Bytes that are no UTF-8 show as U+FFFD, never as another character.
    const QString broken = GbkCodec::ToQString(std::string("a\xC4\xE3"), TextEncoding::Utf8);
    QVERIFY(broken.startsWith(QLatin1Char('a')));
    QVERIFY(broken.contains(QChar(QChar::ReplacementCharacter)));
}

QTEST_MAIN(GbkCodecTest)
#include "gbk_codec_test.moc"
