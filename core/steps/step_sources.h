// SPDX-License-Identifier: MIT
// StepSources: what a step knows of the project's source files besides their rows: the project's
// choice of encoding, the encoding each file is read in, and what the scan noticed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/platform/file_system.h"
#include "core/platform/text_encoding.h"
#include "core/scanner/file_encodings.h"
#include "core/scanner/source_scanner.h"

namespace korvexer {

// Kept by a step model for its scan, its OK and the texts its rows show. The file system must
// outlive it.
class StepSources {
public:
    explicit StepSources(FileSystem& fs);

    // The project's choice of how its sources are read; automatic until set. Setting it forgets
    // the encodings and notices found so far.
    void SetChoice(SourceEncoding choice);
    SourceEncoding choice() const { return m_choice; }

    // Takes the encodings and notices of the scan that filled the rows.
    void TakeScan(const SourceScanner& scanner);

    // The encoding of the file `path`, in which a row's own texts of that file (a constant's
    // value, a call's name and substitute) are its bytes: as the scan read it, else looked up once.
    TextEncoding EncodingOf(const std::string& path);
    // What the last scan noticed, once per file, in scan order.
    const std::vector<ScanNotice>& notices() const { return m_notices; }
    // The notices as the user reads them, one GBK sentence per noticed file saying what was done
    // and which setting changes it; none when nothing was noticed.
    std::vector<std::string> NoticeLines() const;

private:
    FileSystem& m_fs;
    SourceEncoding m_choice = SourceEncoding::Automatic;
    std::optional<FileEncodings> m_encodings;
    std::vector<ScanNotice> m_notices;
};

}  // namespace korvexer
