// SPDX-License-Identifier: MIT
// StepContext: what the main window hands a step dialog: its lists, files and services.
#pragma once

#include <string>
#include <vector>

#include "core/language/language_definition.h"
#include "core/list/row_list.h"
#include "core/platform/file_system.h"
#include "core/platform/text_encoding.h"

namespace korvexer::gui {

class Prompter;

// Everything here must outlive the dialog. The dialog changes `constants` (the constant step) or
// `functions` (the function step) only when it closes with OK; the other list is read to check
// that the record can still hold all of it.
struct StepContext {
    FileSystem& fs;
    const LanguageDefinition& language;
    Prompter& prompter;
    RowList& constants;  // the main window's constant list (five columns)
    RowList& functions;  // the main window's function list (five columns)
    const std::vector<std::string>& sourceFiles;
    std::string mainSourceFile;  // GBK path of the project's entry source file
    SourceEncoding sourceEncoding = SourceEncoding::Automatic;  // how the sources are read
};

}  // namespace korvexer::gui
