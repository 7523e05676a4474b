// SPDX-License-Identifier: MIT
// Path rules of the workbench: sibling paths, the sibling copy of the record file and the folder
// of a path. Separators are '\\', '/' and ':'; a '\\' that is the second byte of a GBK character
// is no separator.
#pragma once

#include <string>

#include "core/platform/expected.h"
#include "core/platform/file_system.h"

namespace korvexer {

// The folder of `reference` followed by the file name of `file`. The file name is the text after
// the last '\\' of `file`, else after its last '/', else after its last ':'; the folder is the
// text of `reference` up to and including its last '\\', else '/', else ':'. "" when either path
// has none of the three.
std::string MakeSiblingPath(const std::string& file, const std::string& reference);

// Copies `file` beside `reference` (to MakeSiblingPath(file, reference)), replacing a file that is
// there. Both paths lose their trailing blanks first. Does nothing and succeeds when either is
// empty, the sibling path is "" or it is `file` itself; otherwise returns the copy's result, which
// callers may ignore.
Status CopyToSiblingPath(FileSystem& fs, const std::string& file, const std::string& reference);

// The text of `path` up to and including its last '\\', ':' or '/' that is not its first byte;
// "" when there is none.
std::string GetPathDirectory(const std::string& path);

}  // namespace korvexer
