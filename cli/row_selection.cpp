// SPDX-License-Identifier: MIT
// Globs over paths and regular expressions over values, the selection options' matching.
#include "cli/row_selection.h"

#include <regex>

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "core/list/list_texts.h"
#include "core/platform/gbk_text.h"

namespace korvexer::cli {

namespace {

#ifdef _WIN32
constexpr bool kWindowsNames = true;
#else
constexpr bool kWindowsNames = false;
#endif

bool IsSeparator(char c) {
    return c == '/' || (kWindowsNames && c == '\\');
}

std::size_t CharWidth(std::string_view text, std::size_t pos) {
    return gbk::CharWidthAt(text, pos);
}

bool SameChar(std::string_view a, std::string_view b) {
    if (IsSeparator(a[0]) && a.size() == 1 && b.size() == 1) return IsSeparator(b[0]);
    return kWindowsNames ? gbk::EqualsNoCase(a, b) : a == b;
}

// A "[...]" set at `pattern[pos]` ('[' itself); sets `end` past its ']'. False when `c` is not in
// it, or when the set is not closed (then the '[' is an ordinary character).
bool SetMatches(std::string_view pattern, std::size_t pos, unsigned char c, std::size_t& end,
                bool& closed) {
    std::size_t i = pos + 1;
    const bool negated = i < pattern.size() && (pattern[i] == '!' || pattern[i] == '^');
    if (negated) ++i;
    bool found = false;
    bool first = true;
    for (; i < pattern.size() && (first || pattern[i] != ']'); ++i, first = false) {
        auto low = static_cast<unsigned char>(pattern[i]), high = low;
        if (i + 2 < pattern.size() && pattern[i + 1] == '-' && pattern[i + 2] != ']') {
            high = static_cast<unsigned char>(pattern[i + 2]);
            i += 2;
        }
        unsigned char folded = c;
        if (kWindowsNames && c >= 'A' && c <= 'Z') folded = static_cast<unsigned char>(c + 32);
        if ((c >= low && c <= high) || (folded >= low && folded <= high)) found = true;
    }
    closed = i < pattern.size();
    end = i + 1;
    return closed && found != negated;
}

// Whether pattern[p...] matches text[t...] (globs over paths are short: backtracking is cheap).
bool Match(std::string_view pattern, std::size_t p, std::string_view text, std::size_t t) {
    if (p == pattern.size()) return t == text.size();
    if (pattern[p] == '*') {
        const bool crosses = p + 1 < pattern.size() && pattern[p + 1] == '*';
        const std::size_t next = p + (crosses ? 2 : 1);
        for (std::size_t k = t;; k += CharWidth(text, k)) {
            if (Match(pattern, next, text, k)) return true;
            if (k >= text.size() || (!crosses && IsSeparator(text[k]))) return false;
        }
    }
    if (t >= text.size()) return false;
    const std::size_t width = CharWidth(text, t);
    if (pattern[p] == '?') return !IsSeparator(text[t]) && Match(pattern, p + 1, text, t + width);
    if (pattern[p] == '[') {
        std::size_t end = 0;
        bool closed = false;
        const bool inSet =
            SetMatches(pattern, p, static_cast<unsigned char>(text[t]), end, closed) && width == 1;
        if (closed || inSet) return inSet && Match(pattern, end, text, t + 1);
    }
    const std::size_t patternWidth = CharWidth(pattern, p);
    return SameChar(pattern.substr(p, patternWidth), text.substr(t, width)) &&
           Match(pattern, p + patternWidth, text, t + width);
}

void AppendWide(std::wstring& out, char32_t c) {
    if (sizeof(wchar_t) == 2 && c >= 0x10000) {
        c -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (c >> 10));
        out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<wchar_t>(c);
    }
}

}  // namespace

bool GlobMatchesPath(std::string_view pattern, std::string_view path) {
    std::string full(pattern);
    if (!full.empty() && IsSeparator(full.back())) full += "**";
    if (Match(full, 0, path, 0)) return true;
    for (std::size_t i = 0; i < path.size(); i += CharWidth(path, i))
        if (IsSeparator(path[i]) && Match(full, 0, path, i + 1)) return true;
    return false;
}

std::wstring WideText(std::string_view text, TextEncoding encoding) {
    const std::string utf8 =
        encoding == TextEncoding::Gbk ? gbk::ToUtf8Lossy(text) : std::string(text);
    std::wstring wide;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80    ? 1
                                   : lead >= 0xF0 ? 4
                                   : lead >= 0xE0 ? 3
                                   : lead >= 0xC0 ? 2
                                                  : 0;
        std::string_view sequence = std::string_view(utf8).substr(i, length);
        if (length == 0 || sequence.size() < length || !IsValidUtf8(sequence)) {
            AppendWide(wide, 0xFFFD);
            ++i;
            continue;
        }
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(sequence[k]) & 0x3F);
        AppendWide(wide, c);
        i += length;
    }
    return wide;
}

struct RowSelection::Patterns {
    std::vector<std::wregex> values, excludes;
};

RowSelection::RowSelection() : m_patterns(std::make_unique<Patterns>()) {}
RowSelection::~RowSelection() = default;
RowSelection::RowSelection(RowSelection&&) noexcept = default;
RowSelection& RowSelection::operator=(RowSelection&&) noexcept = default;

Expected<RowSelection> RowSelection::Make(const SelectionOptions& options,
                                          const CliContext& context, ListKind kind) {
    RowSelection selection;
    selection.m_kind = kind;
    for (auto [from, to, name] :
         {std::make_tuple(&options.files, &selection.m_files, "--file"),
          std::make_tuple(&options.excludes, &selection.m_excludes, "--exclude")})
        for (const std::string& glob : *from) {
            Expected<std::string> gbkGlob = context.FromUser(glob);
            if (!gbkGlob)
                return Error{std::string(name) + " \"" + glob + "\": " + gbkGlob.error().message,
                             {}};
            to->push_back(std::move(*gbkGlob));
        }
    if (options.strings || options.numbers) {
        selection.m_strings = options.strings;
        selection.m_numbers = options.numbers;
    }
    const TextEncoding userEncoding =
        context.PassesBytes() ? TextEncoding::Gbk : TextEncoding::Utf8;
    for (auto [from, to, name] :
         {std::make_tuple(&options.values, &selection.m_patterns->values, "--value"),
          std::make_tuple(&options.excludeValues, &selection.m_patterns->excludes,
                          "--exclude-value")})
        for (const std::string& pattern : *from) {
            try {
                to->emplace_back(WideText(pattern, userEncoding), std::regex::ECMAScript);
            } catch (const std::regex_error& error) {
                return Error{std::string(name) + " \"" + pattern +
                                 "\" is no regular expression: " + error.what(),
                             {}};
            }
        }
    return selection;
}

bool RowSelection::Selects(const RowList& rows, std::size_t row, TextEncoding fileEncoding) const {
    const std::string& file = rows.Text(row, kStepFile);
    if (!m_files.empty()) {
        bool any = false;
        for (const std::string& glob : m_files) any = any || GlobMatchesPath(glob, file);
        if (!any) return false;
    }
    for (const std::string& glob : m_excludes)
        if (GlobMatchesPath(glob, file)) return false;
    if (m_kind == ListKind::Constants) {
        const std::string& type = rows.Text(row, kStepName);
        if (!m_strings && type == texts::kTypeString) return false;
        if (!m_numbers && type == texts::kTypeNumber) return false;
    }
    if (m_patterns->values.empty() && m_patterns->excludes.empty()) return true;
    const std::wstring value = WideText(
        rows.Text(row, m_kind == ListKind::Constants ? kStepValue : kStepName), fileEncoding);
    if (!m_patterns->values.empty()) {
        bool any = false;
        for (const std::wregex& pattern : m_patterns->values)
            any = any || std::regex_search(value, pattern);
        if (!any) return false;
    }
    for (const std::wregex& pattern : m_patterns->excludes)
        if (std::regex_search(value, pattern)) return false;
    return true;
}

void AddSelectionOptions(CLI::App& command, SelectionOptions& options, ListKind kind,
                         bool withRows) {
    command.add_option("--file", options.files,
                       "Only rows of files matching GLOB (repeatable; * within a folder, ** "
                       "across folders, matched against the path or any part after a /)");
    command.add_option("--exclude", options.excludes,
                       "Leave out rows of files matching GLOB (repeatable)");
    if (kind == ListKind::Constants) {
        command.add_flag("--strings", options.strings, "Only string constants");
        command.add_flag("--numbers", options.numbers, "Only numeric constants");
    }
    const char* what = kind == ListKind::Constants ? "value" : "call's name";
    command.add_option("--value", options.values,
                       std::string("Only rows whose ") + what +
                           " contains a match of REGEX (ECMAScript, over characters; repeatable)");
    command.add_option(
        "--exclude-value", options.excludeValues,
        std::string("Leave out rows whose ") + what + " contains a match of REGEX (repeatable)");
    if (withRows)
        command.add_option("--rows", options.rowsFile,
                           "Apply exactly the states of the rows in FILE, as project scan prints "
                           "them (text or JSON Lines; - for standard input)");
}

}  // namespace korvexer::cli
