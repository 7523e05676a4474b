// SPDX-License-Identifier: MIT
// File arguments the Unix way: folders walked for the language's suffixes, names read from a
// file or standard input, and a missing file an error unless the user says to keep going.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/expected.h"

namespace CLI {
class App;
}

namespace korvexer::cli {

class CliContext;

struct FileListOptions {
    std::string filesFrom;      // --files-from FILE ("-": standard input)
    bool nulSeparated = false;  // -0: the names end with NUL bytes, not line breaks
};

// Adds --files-from and -0 to `command`.
void AddFileListOptions(CLI::App& command, FileListOptions& options);

// Whether a file name ends with one of `suffixes` (the language's "filesubfix": ".cpp;.c;"),
// compared without regard to case.
bool HasSourceSuffix(std::string_view name, std::string_view suffixes);

// The source files that `names` (in the user's encoding) and --files-from name, as GBK paths, in
// order: a folder stands for the files beneath it whose names have one of `suffixes`, sorted by
// their path byte for byte (links to folders are not followed). A name that is neither a folder
// nor a readable file fails, naming it, unless context.keepGoing: then it is kept, so that the
// command handles it as it handles a file that cannot be read. `in` is standard input.
Expected<std::vector<std::string>> ExpandFileArguments(CliContext& context,
                                                       const std::vector<std::string>& names,
                                                       const FileListOptions& options,
                                                       std::string_view suffixes, std::istream& in);

// `path` (GBK) made absolute against the working folder, "." and ".." folded; as it is when that
// cannot be done.
std::string AbsolutePath(const std::string& path);

// Checks one GBK path that must be a readable file ("" when it is); the error names the file as
// the user gave it.
Status CheckReadableFile(CliContext& context, const std::string& path);

}  // namespace korvexer::cli
