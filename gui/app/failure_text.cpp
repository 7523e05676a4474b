// SPDX-License-Identifier: MIT
// FailureText: the fixed sentence, then each failure's file and reason, one to a line.
#include "gui/app/failure_text.h"

#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

QString FailureReason(const Error& error) {
    switch (error.kind) {
        case ErrorKind::NotFound:
            return QStringLiteral("文件或它所在的文件夹不存在。");
        case ErrorKind::AccessDenied:
            return QStringLiteral("没有访问权限，请检查文件和文件夹的权限。");
        case ErrorKind::DiskFull:
            return QStringLiteral("磁盘空间已满，请腾出空间后再试。");
        case ErrorKind::ReadOnlyDisk:
            return QStringLiteral("磁盘是只读的，不能写入。");
        case ErrorKind::NameUnusable:
            return QStringLiteral("文件名为空、太长或含有本系统不能使用的字符。");
        case ErrorKind::NotRegularFile:
            return QStringLiteral("这不是一个普通文件（可能是文件夹或设备）。");
        case ErrorKind::NotFolder:
            return QStringLiteral("路径中应为文件夹的一项不是文件夹。");
        case ErrorKind::ChangedOnDisk:
            return QStringLiteral("文件在读取之后被其他程序改动过，为免覆盖，没有写入。");
        case ErrorKind::ReadOnlyFile:
            return QStringLiteral("文件是只读的，保持原样。");
        case ErrorKind::TooLarge:
            return QStringLiteral("文件太大，无法处理。");
        case ErrorKind::NoFreeName:
            return QStringLiteral("文件夹中可用的文件名都已被占用。");
        case ErrorKind::NoSettingsFolder:
            return QStringLiteral("找不到存放设置的文件夹（环境变量中没有用户目录）。");
        case ErrorKind::RecordLimit:
            return QStringLiteral("记录文件容纳不下：每项最多255字节，每个列表最多102409字节。");
        case ErrorKind::NoCommentPrefix:
            return QStringLiteral(
                "所选语言没有单行注释符，无法把原文保留在注释中；"
                "请在语言设置中填写单行注释符。");
        case ErrorKind::NoStringQuote:
            return QStringLiteral("所选语言没有字符串引号；请在语言设置中填写。");
        case ErrorKind::LineBreakInText:
            return QStringLiteral("设置的名称或内容中不能含有换行符，名称也不能为空。");
        case ErrorKind::NoProject:
            return QStringLiteral("请先填写产品商号和产品型号。");
        case ErrorKind::NoLanguage:
            return QStringLiteral("没有选择编程语言。");
        case ErrorKind::NotGbk:
            return QStringLiteral("其中有GBK编码无法表示的字符。");
        case ErrorKind::Other:
            break;
    }
    if (error.systemCode != 0)
        return QStringLiteral("操作系统报告了错误（错误号 %1）。").arg(error.systemCode);
    return QStringLiteral("发生了意外的错误。");
}

QString FailureText(std::string_view gbkText, const std::vector<Error>& failures) {
    QString text = GbkCodec::ToQString(gbkText);
    for (const Error& failure : failures) {
        text += QLatin1Char('\n');
        if (!failure.path.empty()) text += GbkCodec::ToQString(failure.path) + QStringLiteral("：");
        text += FailureReason(failure);
    }
    return text;
}

QString FailureText(std::string_view gbkText, const Error& error, std::string_view file) {
    Error named = error;
    if (named.path.empty()) named.path = std::string(file);
    return FailureText(gbkText, std::vector<Error>{named});
}

}  // namespace korvexer::gui
