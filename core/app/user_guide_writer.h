// SPDX-License-Identifier: MIT
// WriteUserGuide: puts the user guide into the project's source folder as a text file to open.
#pragma once

#include <string>
#include <string_view>

#include "core/platform/expected.h"
#include "core/platform/file_system.h"

namespace korvexer {

// The file name the guide is written under when nothing else is in the way.
inline constexpr std::string_view kUserGuideName = "readme.txt";

// Writes `guide` (the guide's bytes, written unchanged) into the folder of `mainSourceFile`
// (GetPathDirectory; the current folder when `mainSourceFile` is empty) and returns the path of
// the file written, for the caller to open. The name is "readme.txt" unless a file of that name
// exists there that is not a copy of the guide: such a file is never touched, and the guide goes
// to the first of "readme-korvexer.txt", "readme-korvexer-2.txt", ... that is free or already
// holds the guide. Fails, naming the file, when it cannot be written or no name is free.
Expected<std::string> WriteUserGuide(FileSystem& fs, const std::string& mainSourceFile,
                                     std::string_view guide);

}  // namespace korvexer
