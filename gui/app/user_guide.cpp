// SPDX-License-Identifier: MIT
// Reading the user guide out of the program's resources.
#include "gui/app/user_guide.h"

#include <QFile>

#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

QString UserGuideResource() {
    return QStringLiteral(":/korvexer/user_guide.txt");
}

UserGuideLoad LoadUserGuide(std::string& bytes, const QString& resource) {
    bytes.clear();
    QFile file(resource);
    if (!file.exists()) return UserGuideLoad::Missing;
    if (!file.open(QIODevice::ReadOnly)) return UserGuideLoad::Unreadable;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) return UserGuideLoad::Unreadable;
    bytes.assign(content.constData(), static_cast<std::size_t>(content.size()));
    return UserGuideLoad::Loaded;
}

std::string GuideAsUtf8(const std::string& gbkGuide) {
    QString text = GbkCodec::ToQString(gbkGuide);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

std::string GuideForPlatform(const std::string& gbkGuide) {
#ifdef _WIN32
    return gbkGuide;
#else
    return GuideAsUtf8(gbkGuide);
#endif
}

}  // namespace korvexer::gui
