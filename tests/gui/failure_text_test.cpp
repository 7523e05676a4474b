// SPDX-License-Identifier: MIT
// Tests of how the window words the core's failures: Chinese reasons, the file, never English.
#include <QtTest>

#include <set>
#include <string>
#include <vector>

#include "gui/app/failure_text.h"

using korvexer::Error;
using korvexer::ErrorKind;
using korvexer::gui::FailureReason;
using korvexer::gui::FailureText;

class FailureTextTest : public QObject {
    Q_OBJECT
private slots:
    void everyKindHasItsOwnChineseReason();
    void textThenEachFailureWithItsFile();
};

void FailureTextTest::everyKindHasItsOwnChineseReason() {
    std::set<QString> reasons;
    for (int kind = 0; kind <= static_cast<int>(ErrorKind::NotGbk); ++kind) {
        const Error error{"cannot write: No space left on device", "/x",
                          static_cast<ErrorKind>(kind), kind == 0 ? 0 : 28};
        const QString reason = FailureReason(error);
        QVERIFY2(reason.endsWith(QStringLiteral("。")), qPrintable(reason));
        // The core's English words never reach the window.
        QVERIFY2(!reason.contains(QStringLiteral("space")), qPrintable(reason));
        QVERIFY2(reasons.insert(reason).second, qPrintable(reason));
    }
    QCOMPARE(FailureReason(Error{"x", {}, ErrorKind::Other, 5}),
             QStringLiteral("操作系统报告了错误（错误号 5）。"));
    QCOMPARE(FailureReason(Error{"x", {}, ErrorKind::DiskFull, 28}),
             QStringLiteral("磁盘空间已满，请腾出空间后再试。"));
}

void FailureTextTest::textThenEachFailureWithItsFile() {
    // "保存设置时出错，请确认设置文件可以写入！" as the core holds it, in GBK.
    const std::string saveFailed =
        "\xB1\xA3\xB4\xE6\xC9\xE8\xD6\xC3\xCA\xB1\xB3\xF6\xB4\xED\xA3\xAC\xC7\xEB\xC8\xB7\xC8\xCF"
        "\xC9\xE8\xD6\xC3\xCE\xC4\xBC\xFE\xBF\xC9\xD2\xD4\xD0\xB4\xC8\xEB\xA3\xA1";
    const Error noFolder{
        "cannot create the folder: No such file or directory", {}, ErrorKind::NotFound, 2};
    QCOMPARE(FailureText(saveFailed, noFolder, "/home/u/.config/korvexer/korvexer.ini"),
             QStringLiteral("保存设置时出错，请确认设置文件可以写入！\n"
                            "/home/u/.config/korvexer/korvexer.ini：文件或它所在的文件夹不存在。"));

    // Several files, one to a line, each under its own name ("\xCE\xC4" is "文" in GBK); a
    // failure of no file gives its reason alone.
    const std::vector<Error> failures{
        {"the file is read-only", "/src/\xCE\xC4.cpp", ErrorKind::ReadOnlyFile, 0},
        {"the language has no string quote", {}, ErrorKind::NoStringQuote, 0}};
    const QStringList lines = FailureText("head", failures).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QStringLiteral("head"));
    QCOMPARE(lines[1], QStringLiteral("/src/文.cpp：文件是只读的，保持原样。"));
    QCOMPARE(lines[2], FailureReason(failures[1]));
    QCOMPARE(FailureText("head", std::vector<Error>{}), QStringLiteral("head"));
}

QTEST_MAIN(FailureTextTest)
#include "failure_text_test.moc"
