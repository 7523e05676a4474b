// SPDX-License-Identifier: MIT
// UseChineseTexts: the default locale and Qt's translations for it.
#include "gui/app/chinese_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace korvexer::gui {

bool UseChineseTexts() {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) return false;
    // Debian puts them with Qt (qt6-translations-l10n); a Windows installation carries them
    // beside the program.
    const QStringList folders = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))};
    for (const QString& folder : folders) {
        auto* translator = new QTranslator(application);
        if (translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}

}  // namespace korvexer::gui
