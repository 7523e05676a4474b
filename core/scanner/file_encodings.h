// SPDX-License-Identifier: MIT
// FileEncodings: the encoding each source file is read in, found once per file.
#pragma once

#include <string>
#include <unordered_map>

#include "core/platform/file_system.h"
#include "core/platform/text_encoding.h"

namespace korvexer {

// The encodings that the project's choice gives source files (EncodingOf over a file's first
// kSourceReadLimit bytes, as the scan reads it), for showing and taking back their texts: a row's
// value is the file's own bytes. Each file is read at most once. The file system must outlive the
// lookup.
class FileEncodings {
public:
    FileEncodings(FileSystem& fs, SourceEncoding choice);

    // The encoding of the file `path`; GBK for a file that cannot be read, whose texts are the
    // list's own.
    TextEncoding Of(const std::string& path);
    // Takes what a scan found, so that its files are not read again.
    void Note(const std::unordered_map<std::string, TextEncoding>& found);

private:
    FileSystem& m_fs;
    SourceEncoding m_choice;
    std::unordered_map<std::string, TextEncoding> m_known;
};

}  // namespace korvexer
