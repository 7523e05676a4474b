// SPDX-License-Identifier: MIT
// ProjectMove: a record that names the files of the project where it lay before it was moved or
// copied, and the rewrite of the record's paths to where the project lies now.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/list/row_list.h"

namespace korvexer {

// Where the record's files lie and where the project's own files lie now: the folder that the
// record's paths begin with, and the folder to put in its place.
struct ProjectMove {
    std::string recordFolder;
    std::string projectFolder;
};

// Whether `path` is `folder` or lies below it: compared folder by folder ('/' and '\\' separate
// them; a '\\' that is the second byte of a GBK character does not), each as file names of this
// platform compare. A relative path lies under no absolute folder.
bool LiesUnder(std::string_view path, std::string_view folder);

// The project's own folders: those of the main source file and of the application file (the
// ones that are absolute).
std::vector<std::string> ProjectFolders(const std::string& mainSourceFile,
                                        const std::string& applicationFile);

// Finds a moved project. The record (its constant and function rows, five columns each, and its
// source-file list) names files by absolute path, and none of them lies under the project's
// folders: then the record was written where the project lay before. The folder it lay in is
// found from the record's path of the main source file's name (the same trailing folders, the
// rest differing), else from the trailing folders that the record's common folder shares with a
// project folder. Nothing when the record names a file of the project, names none by absolute
// path, or its files share no trailing folders with the project's (sources kept beside the
// project, not a move).
std::optional<ProjectMove> FindProjectMove(const RowList& constants, const RowList& functions,
                                           const std::vector<std::string>& sourceFiles,
                                           const std::string& mainSourceFile,
                                           const std::string& applicationFile);

// `path` with its beginning `from` (a folder, LiesUnder) replaced by `to`; nothing when it does
// not lie under `from`.
std::optional<std::string> Rebased(const std::string& path, std::string_view from,
                                   std::string_view to);

// Rewrites the file column of `constants` and `functions` (five columns each) and the entries of
// `sourceFiles` that lie under `from` to lie under `to` instead. Returns how many paths changed.
std::size_t RebasePaths(RowList& constants, RowList& functions,
                        std::vector<std::string>& sourceFiles, std::string_view from,
                        std::string_view to);

}  // namespace korvexer
