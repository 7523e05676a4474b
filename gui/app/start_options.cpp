// SPDX-License-Identifier: MIT
// StartOptions: the options the window understands, and their help.
#include "gui/app/start_options.h"

namespace korvexer::gui {

StartOptions::StartOptions()
    : m_help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("显示本帮助后退出。")),
      m_version({QStringLiteral("v"), QStringLiteral("version")},
                QStringLiteral("显示版本号后退出。")),
      m_screenshot(QStringLiteral("screenshot"),
                   QStringLiteral("不打开窗口：把主窗口、语言设置、关于框和两个步骤对话框画成 "
                                  "PNG 文件存入 FOLDER 后退出（没有显示器时与 "
                                  "QT_QPA_PLATFORM=offscreen 一起用）。"),
                   QStringLiteral("FOLDER")) {
    m_parser.setApplicationDescription(
        QStringLiteral("Korvexer：列出自己应用程序源代码中赋值的常量和函数调用，把选定的常量换成"
                       "运行库的取值调用、把选定的函数换成运行库的替换函数；每一处改动都有记录，"
                       "随时可以撤回。设置文件在 $XDG_CONFIG_HOME/korvexer/（默认 "
                       "~/.config/korvexer/），首次启动时从 $XDG_CONFIG_DIRS 中的 korvexer/（默认 "
                       "/etc/xdg/korvexer/）或程序所在的文件夹取来初始设置。"));
    m_parser.addOption(m_help);
    m_parser.addOption(m_version);
    m_parser.addOption(m_screenshot);
}

bool StartOptions::Parse(const QStringList& arguments) {
    m_error.clear();
    if (!m_parser.parse(arguments)) {
        m_error = m_parser.errorText();
        return false;
    }
    const QStringList leftOver = m_parser.positionalArguments();
    if (!leftOver.isEmpty()) {
        m_error = QStringLiteral("多余的参数：%1").arg(leftOver.join(QLatin1Char(' ')));
        return false;
    }
    return true;
}

QString StartOptions::ErrorText() const {
    return m_error;
}

void StartOptions::AnswerHelpOrVersion() {
    if (m_parser.isSet(m_help)) m_parser.showHelp(0);
    if (m_parser.isSet(m_version)) m_parser.showVersion();
}

QString StartOptions::ScreenshotFolder() const {
    return m_parser.value(m_screenshot);
}

}  // namespace korvexer::gui
