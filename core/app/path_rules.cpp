// SPDX-License-Identifier: MIT
// Sibling paths, the sibling copy and the folder of a path, with the three-way separator rules.
#include "core/app/path_rules.h"

#include <string_view>

#include "core/platform/gbk_text.h"
#include "core/platform/text_trim.h"

namespace korvexer {

namespace {

// The last '\\' of `path`, else its last '/', else its last ':'; npos when it has none. The
// separators are tried one after the other, not together: "a/b\\c" and "a\\b/c" both give the
// backslash.
std::size_t LastSeparator(const std::string& path) {
    for (std::string_view separator : {"\\", "/", ":"}) {
        std::size_t found = gbk::FindLastOf(path, separator);
        if (found != std::string::npos) return found;
    }
    return std::string::npos;
}

}  // namespace

std::string MakeSiblingPath(const std::string& file, const std::string& reference) {
    std::size_t nameStart = LastSeparator(file);
    std::size_t folderEnd = LastSeparator(reference);
    if (nameStart == std::string::npos || folderEnd == std::string::npos) return {};
    return reference.substr(0, folderEnd + 1) + file.substr(nameStart + 1);
}

Status CopyToSiblingPath(FileSystem& fs, const std::string& file, const std::string& reference) {
    const std::string from = TrimTrailingBlanks(file);
    const std::string beside = TrimTrailingBlanks(reference);
    if (from.empty() || beside.empty()) return Status::Ok();
    const std::string to = MakeSiblingPath(from, beside);
    if (to.empty() || to == from) return Status::Ok();
    return CopyFile(fs, from, to);
}

std::string GetPathDirectory(const std::string& path) {
    std::size_t found = gbk::FindLastOf(path, "\\:/");
    if (found == std::string::npos || found == 0) return {};
    return path.substr(0, found + 1);
}

}  // namespace korvexer
