// SPDX-License-Identifier: MIT
// NameFilter: the platform's reading of the model's filters, and case-blind matching.
#include "gui/app/name_filter.h"

#include <QRegularExpression>

#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

DialogPlatform NativeDialogPlatform() {
#ifdef _WIN32
    return DialogPlatform::Windows;
#else
    return DialogPlatform::Linux;
#endif
}

QList<NameFilter> DialogFilters(const std::vector<FileFilter>& filters, FilterPurpose purpose,
                                DialogPlatform platform) {
    QList<NameFilter> result;
    for (const FileFilter& filter : filters) {
        NameFilter entry;
        entry.description = GbkCodec::ToQString(filter.description);
        for (const QString& part :
             GbkCodec::ToQString(filter.patterns).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            QString pattern = part.trimmed();
            if (pattern.isEmpty()) continue;
            // On Windows "*.*" offers every file, extensionless ones too; a Linux dialog would
            // take the dot literally.
            if (platform == DialogPlatform::Linux && pattern == QStringLiteral("*.*"))
                pattern = QStringLiteral("*");
            entry.patterns << pattern;
        }
        if (entry.patterns.isEmpty()) entry.patterns << QStringLiteral("*");
        result << entry;
    }
    if (platform == DialogPlatform::Linux && purpose == FilterPurpose::ApplicationFile &&
        !result.isEmpty())
        result.front().withoutSuffix = true;
    return result;
}

bool NameFilterMatches(const NameFilter& filter, const QString& fileName) {
    if (filter.withoutSuffix && !fileName.contains(QLatin1Char('.'))) return true;
    for (const QString& pattern : filter.patterns)
        if (QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive)
                .match(fileName)
                .hasMatch())
            return true;
    return false;
}

QString QtNameFilter(const NameFilter& filter) {
    return filter.description + QStringLiteral(" (") + filter.patterns.join(QLatin1Char(' ')) +
           QLatin1Char(')');
}

}  // namespace korvexer::gui
