// SPDX-License-Identifier: MIT
// NameFilter: one entry of a file dialog's filter list, and how a file name matches it.
#pragma once

#include <vector>

#include <QList>
#include <QString>
#include <QStringList>

#include "core/app/workbench_outcome.h"

namespace korvexer::gui {

// What the user picks in the dialog's filter box and which files it offers.
struct NameFilter {
    QString description;         // as shown: "源码文件(*.cpp;*.c;)"
    QStringList patterns;        // wildcards: "*.cpp", "*.c"; "*" is every file
    bool withoutSuffix = false;  // also offers names without a '.' (Linux executables)

    bool operator==(const NameFilter& other) const {
        return description == other.description && patterns == other.patterns &&
               withoutSuffix == other.withoutSuffix;
    }
};

// The file dialogs differ where the platforms' file names do.
enum class DialogPlatform {
    Windows,  // "*.*" is every file, names compare without regard to case anyway
    Linux,    // "*.*" would need a dot, executables have no suffix, names are case-sensitive
};
DialogPlatform NativeDialogPlatform();

// Which dialog the filters are for.
enum class FilterPurpose { SourceFiles, ApplicationFile };

// The model's filters (GBK) as the dialog of `platform` offers them, in order: the patterns split
// at ';' (an entry without any matches every file). On Linux "*.*" becomes "*", and the first
// filter of the application dialog also offers names without a suffix.
QList<NameFilter> DialogFilters(const std::vector<FileFilter>& filters, FilterPurpose purpose,
                                DialogPlatform platform = NativeDialogPlatform());

// Whether `fileName` (no folder) is offered by `filter`: a pattern matches it without regard to
// case ("*.cpp" offers MAIN.CPP), or it has no '.' and the filter takes such names.
bool NameFilterMatches(const NameFilter& filter, const QString& fileName);

// The filter in Qt's form: "源码文件(*.cpp;*.c;) (*.cpp *.c)".
QString QtNameFilter(const NameFilter& filter);

}  // namespace korvexer::gui
