// SPDX-License-Identifier: MIT
// Fuzz target: the rewriting of any file content by any row. A call that changes nothing leaves
// the file byte for byte; one that changes it leaves a backup of the old bytes; and a replacement
// taken back gives the file back as it was, up to the line breaks the language states.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

#include <fuzzer/FuzzedDataProvider.h>

#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/rewrite/apply_list_to_sources.h"
#include "core/rewrite/row_edit.h"
#include "core/scanner/line_model.h"

using namespace korvexer;

namespace {

const std::string& ScratchFile() {
    static const std::string path = [] {
        char pattern[] = "/tmp/korvexer-fuzz-rewrite-XXXXXX";
        if (::mkdtemp(pattern) == nullptr) std::abort();
        return std::string(pattern) + "/f.src";
    }();
    return path;
}

void Store(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
    std::fclose(file);
}

std::string Load(const std::string& path) {
    Expected<FileContent> content = FileSystem::Real().Read(path);
    if (!content) std::abort();
    return content->bytes;
}

// Whether `at` is where a character of `line` starts (or its end), two-byte characters counted
// whole from the line's start.
bool OnCharacter(std::string_view line, std::size_t at, TextEncoding encoding) {
    if (at > line.size()) return false;
    std::size_t i = 0;
    // A GBK lead byte at the end still waits for its second byte: text written after it would
    // pair with it. In UTF-8 no byte pairs with the next.
    while (i < at)
        i += encoding == TextEncoding::Gbk && static_cast<unsigned char>(line[i]) >= 0x81
                 ? 2
                 : CharWidthAt(line, i, encoding);
    return i == at;
}

// Whether an edit replacing `search` by `result` takes its first branch on `text`: the search
// text stands there as a whole token and a result text at least as long does not (a text that
// is both already holds the result; a name paired with itself changes nothing).
bool TakesSearchBranch(std::string_view text, std::string_view search, std::string_view result,
                       TextEncoding encoding) {
    return !search.empty() && !result.empty() && StandsAt(text, search, encoding) &&
           !(result.size() >= search.size() && StandsAt(text, result, encoding));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    LanguageDefinition language = LoaderDefaults(input.ConsumeIntegralInRange<int>(0, 6));
    static const LineBreak kBreaks[] = {{'\r', '\n'}, {'\n', 0}, {'\r', 0}, {0, 0}};
    language.carryreturn = kBreaks[input.ConsumeIntegralInRange<int>(0, 3)];
    const ListKind kind = input.ConsumeBool() ? ListKind::Functions : ListKind::Constants;
    const bool utf8 = input.ConsumeBool();
    const SourceEncoding choice = utf8 ? SourceEncoding::Utf8 : SourceEncoding::Gbk;
    const TextEncoding encoding = utf8 ? TextEncoding::Utf8 : TextEncoding::Gbk;
    const bool isString = input.ConsumeBool();
    const std::size_t lineNumber = input.ConsumeIntegralInRange<std::size_t>(0, 64);
    const std::size_t column = input.ConsumeIntegralInRange<std::size_t>(0, 255);
    const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, 32);
    const std::string key = std::to_string(input.ConsumeIntegral<std::uint16_t>());
    const std::string substitute = input.ConsumeRandomLengthString(24);
    const std::string original = input.ConsumeRemainingBytesAsString();

    LineModel model;
    model.bytes = original;
    model.encoding = encoding;
    SplitSourceLines(model, language.carryreturn);
    // The row's text is taken from the file where the position lies in it, so that it is found.
    std::string_view line;
    if (lineNumber >= 1 && lineNumber <= model.LineCount()) line = model.Line(lineNumber - 1);
    const std::string_view at = column < line.size() ? line.substr(column) : std::string_view();
    const std::string quote(1, static_cast<char>(language.quotation));

    RowList rows;
    std::string search, result;
    if (kind == ListKind::Functions) {
        const std::string name(at.substr(0, length));
        rows.Append({key, name, substitute, std::string(texts::kStateReplace), ScratchFile(),
                     std::to_string(lineNumber) + ":" + std::to_string(column)});
        search = name;
        result = substitute;
    } else {
        const std::string value(isString ? at.substr(at.empty() ? 0 : 1, length)
                                         : at.substr(0, length));
        rows.Append({key, std::string(isString ? texts::kTypeString : texts::kTypeNumber), value,
                     std::string(texts::kStateReplace), ScratchFile(),
                     std::to_string(lineNumber) + ":" + std::to_string(column)});
        search = isString ? quote + value + quote : value;
        result = (isString ? "GetValueStr(" : "GetValueInt(") + key + ")";
    }

    Store(ScratchFile(), original);
    (void)::unlink((ScratchFile() + "~").c_str());
    Expected<ApplyOutcome> applied =
        ApplyListToSources(rows, kind, language, FileSystem::Real(), choice);
    if (!applied) {
        if (Load(ScratchFile()) != original) std::abort();
        return 0;
    }
    if (!applied->failedFiles.empty() || !applied->unreadableFiles.empty()) std::abort();
    // A row whose text stands at its position on a line of its own is replaced there; taking it
    // back must then give every byte back.
    const std::size_t index = lineNumber - 1;
    const bool wholeLine = !line.empty() && model.lines[index].end != LineEnd::Cut &&
                           (index == 0 || model.lines[index - 1].end != LineEnd::Cut);
    // Text holding a break byte cannot stand inside one line once it is written (CR and LF break
    // under every language that breaks at either).
    std::string breakBytes = "\r\n";
    breakBytes += static_cast<char>(language.carryreturn.first);
    const bool breakFree = search.find_first_of(breakBytes) == std::string::npos &&
                           result.find_first_of(breakBytes) == std::string::npos;
    // A row found by a scan starts and ends on whole characters, and so does a name from the
    // catalogue; text that splits a character makes the bytes after it read as other characters
    // once it is written, and can move a line break (a hand-edited record may hold such text).
    const bool whole = wholeLine && OnCharacter(line, column, encoding) &&
                       OnCharacter(line, column + std::min(search.size(), at.size()), encoding) &&
                       OnCharacter(line, line.size(), encoding) &&
                       OnCharacter(result, result.size(), encoding);
    const bool found = whole && breakFree && TakesSearchBranch(at, search, result, encoding);
    if (applied->changedFiles.empty()) {
        if (found || Load(ScratchFile()) != original) std::abort();
        return 0;
    }
    if (Load(ScratchFile() + "~") != original) std::abort();
    if (!found) return 0;
    const std::string replaced = result + std::string(at.substr(search.size()));
    if (!TakesSearchBranch(replaced, result, search, encoding)) return 0;
    // Taking back looks at the line as written, where the comment follows: a substitute that the
    // comment marker and the old name lengthen into the name itself ("Ge" and "//Ge/" read as
    // "Ge/") stands there as taken back already.
    LineModel written;
    written.bytes = Load(ScratchFile());
    written.encoding = encoding;
    SplitSourceLines(written, language.carryreturn);
    if (index >= written.LineCount()) std::abort();
    const std::string_view writtenLine = written.Line(index);
    if (column > writtenLine.size() ||
        !TakesSearchBranch(writtenLine.substr(column), result, search, encoding))
        return 0;

    rows.SetText(0, kStepState, "");
    Expected<ApplyOutcome> takenBack =
        ApplyListToSources(rows, kind, language, FileSystem::Real(), choice);
    if (!takenBack || takenBack->changedFiles.size() != 1) std::abort();
    // Every byte comes back: the lines keep their own breaks.
    if (Load(ScratchFile()) != original) std::abort();
    return 0;
}
