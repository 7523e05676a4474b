// SPDX-License-Identifier: MIT
// CallsLeft: the replacements a scan still finds in a project's sources, to tell whether a
// take-back is complete.
#pragma once

#include <string>
#include <vector>

#include "core/language/language_definition.h"
#include "core/list/row_layouts.h"
#include "core/platform/file_system.h"
#include "core/platform/text_encoding.h"

namespace korvexer {

// One replacement in a source: an accessor call "GetValueStr(n)" / "GetValueInt(n)" or a "_kx"
// substitute call, with its place as the scan writes it.
struct CallLeft {
    std::string file;
    std::string position;
    std::string call;  // "GetValueInt(1740)", or the substitute's name
};

// The accessor calls (kind constants) or substitute calls (kind functions) that a scan of
// `mainSourceFile` and then of the other files of `sourceFiles` finds, in scan order: after a
// take-back of everything, what is left in the sources. Files that cannot be read add none.
std::vector<CallLeft> CallsLeft(FileSystem& fs, const LanguageDefinition& language, ListKind kind,
                                const std::vector<std::string>& sourceFiles,
                                const std::string& mainSourceFile,
                                SourceEncoding encoding = SourceEncoding::Automatic);

}  // namespace korvexer
