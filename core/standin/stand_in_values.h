// SPDX-License-Identifier: MIT
// StandInValues: what a stand-in of the runtime library returns and maps, gathered from a record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/platform/file_system.h"
#include "core/platform/text_encoding.h"
#include "core/record/record_file.h"

namespace korvexer {

struct StandInString {
    std::int32_t index;
    std::string value;      // as the source file holds it, between the quotes
    TextEncoding encoding;  // the file's
};

struct StandInNumber {
    std::int32_t index;
    std::int32_t value;
};

struct StandInSubstitute {
    std::string name;      // the _kx name the source calls now
    std::string original;  // the name it replaced
};

struct StandInValues {
    std::vector<StandInString> strings;          // in index order, one per index
    std::vector<StandInNumber> numbers;          // in index order, one per index
    std::vector<StandInSubstitute> substitutes;  // in name order, one per name
    // What the stand-in cannot return as the record has it, one sentence each, naming the row by
    // its index or name, file and position (GBK, like the record's paths).
    std::vector<std::string> warnings;
};

// The values of the record's rows. A string takes the encoding of its file as `choice` gives it
// (the value's own, EncodingOf, when the file cannot be read). A number is its value read as
// atol reads it, the 32-bit number the program holds. Where two rows give one index or one
// substitute two different values or originals, the first row counts and the other is named in
// a warning; so is a row whose index is no number above 0, which is left out, and a number whose
// text is not the decimal it is read as ("010" is read as 10). `namesIgnoreCase` compares the
// names of substitutes and originals without regard to case, as Pascal does.
StandInValues GatherStandInValues(const RecordLists& record, FileSystem& fs, SourceEncoding choice,
                                  bool namesIgnoreCase);

}  // namespace korvexer
