// SPDX-License-Identifier: MIT
// Reading the user guide out of the program's resources.
#include "gui/app/user_guide.h"

#include <QFile>

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

}  // namespace korvexer::gui
