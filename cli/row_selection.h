// SPDX-License-Identifier: MIT
// RowSelection: which rows of a step the selection options of korvexer-cli choose.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/list/row_layouts.h"
#include "core/list/row_list.h"
#include "core/platform/expected.h"
#include "core/platform/text_encoding.h"

namespace CLI {
class App;
}

namespace korvexer::cli {

class CliContext;

// The options as given, in the user's encoding.
struct SelectionOptions {
    std::vector<std::string> files;     // --file GLOB: a row's file must match one of them
    std::vector<std::string> excludes;  // --exclude GLOB: and none of these
    bool strings = false;               // --strings, --numbers: the constant types taken
    bool numbers = false;
    std::vector<std::string> values;         // --value REGEX: the value must match one
    std::vector<std::string> excludeValues;  // --exclude-value REGEX: and none
    std::string rowsFile;                    // --rows FILE: the rows and their states
};

// Adds the options to `command`: the type options for constants only, --rows when `withRows`.
void AddSelectionOptions(CLI::App& command, SelectionOptions& options, ListKind kind,
                         bool withRows);

// Whether the glob `pattern` matches `path` or a part of it that starts after a folder separator
// (so "src/*.cpp" matches "/home/me/project/src/main.cpp"): "*" stands for any characters but a
// separator, "**" for any characters, "?" for one character but a separator, "[...]" for one of
// the bytes listed (ranges "a-z", "!" or "^" first for none of them); a pattern that ends with a
// separator matches everything beneath that folder. Both are GBK; on Windows '\\' and '/' are both
// separators and letters compare without regard to case.
bool GlobMatchesPath(std::string_view pattern, std::string_view path);

// The options made usable: the globs in GBK, the regular expressions compiled.
class RowSelection {
public:
    // Fails, naming the option, on a glob without a GBK form or a pattern that is no ECMAScript
    // regular expression.
    static Expected<RowSelection> Make(const SelectionOptions& options, const CliContext& context,
                                       ListKind kind);

    // Whether row `row` of the step's rows is chosen. The value matched is a constant's value or
    // a call's name, decoded from `fileEncoding` (characters, not bytes, so that "." takes one
    // Chinese character in GBK and in UTF-8 alike).
    bool Selects(const RowList& rows, std::size_t row, TextEncoding fileEncoding) const;

    ~RowSelection();
    RowSelection(RowSelection&&) noexcept;
    RowSelection& operator=(RowSelection&&) noexcept;

private:
    RowSelection();
    struct Patterns;
    std::vector<std::string> m_files, m_excludes;
    bool m_strings = true, m_numbers = true;
    ListKind m_kind = ListKind::Constants;
    std::unique_ptr<Patterns> m_patterns;
};

// Text of `encoding` as wide characters for std::wregex: each character decoded, a byte that
// starts none as U+FFFD.
std::wstring WideText(std::string_view text, TextEncoding encoding);

}  // namespace korvexer::cli
