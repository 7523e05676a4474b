// SPDX-License-Identifier: MIT
// Expanding file arguments: folders, lists of names, checks that each file can be read.
#include "cli/file_arguments.h"

#include <algorithm>
#include <filesystem>
#include <istream>
#include <iterator>
#include <system_error>

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "core/platform/gbk_text.h"

namespace korvexer::cli {

namespace {

namespace stdfs = std::filesystem;

// The files beneath `folder` (GBK) with one of `suffixes`, sorted; names that have no GBK form
// are named in a warning and left out.
Expected<std::vector<std::string>> WalkFolder(CliContext& context, const std::string& folder,
                                              std::string_view suffixes) {
    Expected<std::string> native = gbk::ToUtf8(folder);
    if (!native) return Error{"the folder name has no UTF-8 form", folder};
    std::vector<std::string> files;
    std::error_code error;
    stdfs::recursive_directory_iterator walk(stdfs::u8path(*native), error), end;
    for (; !error && walk != end; walk.increment(error)) {
        std::error_code typeError;
        if (!walk->is_regular_file(typeError)) continue;
        const std::string name = walk->path().u8string();
        Expected<std::string> path = gbk::FromUtf8(name);
        if (!path) {
            context.Warn(name + " has no GBK form; it was left out");
            continue;
        }
        if (HasSourceSuffix(*path, suffixes)) files.push_back(std::move(*path));
    }
    if (error) return Error{"the folder cannot be read: " + error.message(), folder};
    std::sort(files.begin(), files.end());
    return files;
}

// The names that --files-from lists, in the user's encoding.
Expected<std::vector<std::string>> ReadNameList(CliContext& context, const FileListOptions& options,
                                                std::istream& in) {
    std::string bytes;
    if (options.filesFrom == "-") {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else {
        Expected<std::string> path = context.FromUser(options.filesFrom);
        if (!path)
            return Error{"--files-from " + options.filesFrom + ": " + path.error().message, {}};
        Expected<FileContent> content = context.fs().Read(*path);
        if (!content)
            return Error{"--files-from " + options.filesFrom + ": " + content.error().message, {}};
        bytes = std::move(content->bytes);
    }
    std::vector<std::string> names;
    const char end = options.nulSeparated ? '\0' : '\n';
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t stop = bytes.find(end, start);
        if (stop == std::string::npos) stop = bytes.size();
        std::string name = bytes.substr(start, stop - start);
        if (!options.nulSeparated && !name.empty() && name.back() == '\r') name.pop_back();
        if (!name.empty()) names.push_back(std::move(name));
        start = stop + 1;
    }
    return names;
}

}  // namespace

void AddFileListOptions(CLI::App& command, FileListOptions& options) {
    command.add_option("--files-from", options.filesFrom,
                       "Also take the files named in FILE, one a line (- for standard input)");
    command.add_flag("-0,--null", options.nulSeparated,
                     "The names of --files-from end with NUL bytes instead of line breaks");
}

bool HasSourceSuffix(std::string_view name, std::string_view suffixes) {
    const std::string lowerName = gbk::ToLower(name);
    for (std::size_t start = 0; start < suffixes.size();) {
        std::size_t stop = suffixes.find(';', start);
        if (stop == std::string_view::npos) stop = suffixes.size();
        const std::string suffix = gbk::ToLower(suffixes.substr(start, stop - start));
        if (!suffix.empty() && lowerName.size() > suffix.size() &&
            lowerName.compare(lowerName.size() - suffix.size(), suffix.size(), suffix) == 0)
            return true;
        start = stop + 1;
    }
    return false;
}

std::string AbsolutePath(const std::string& path) {
    Expected<std::string> native = gbk::ToUtf8(path);
    if (!native) return path;
    std::error_code error;
    const stdfs::path absolute = stdfs::absolute(stdfs::u8path(*native), error);
    if (error) return path;
    Expected<std::string> gbkPath = gbk::FromUtf8(absolute.lexically_normal().u8string());
    return gbkPath ? *gbkPath : path;
}

Status CheckReadableFile(CliContext& context, const std::string& path) {
    Expected<FileInfo> info = context.fs().Stat(path);
    if (!info) return Error{context.ToUser(path) + ": no such file", path};
    if (!info->isRegular) return Error{context.ToUser(path) + ": not a regular file", path};
    if (Expected<FileContent> read = context.fs().Read(path, 0); !read)
        return Error{context.ToUser(path) + " cannot be read: " + read.error().message, path};
    return Status::Ok();
}

Expected<std::vector<std::string>> ExpandFileArguments(CliContext& context,
                                                       const std::vector<std::string>& names,
                                                       const FileListOptions& options,
                                                       std::string_view suffixes,
                                                       std::istream& in) {
    std::vector<std::string> userNames = names;
    if (!options.filesFrom.empty()) {
        Expected<std::vector<std::string>> listed = ReadNameList(context, options, in);
        if (!listed) return listed.error();
        userNames.insert(userNames.end(), listed->begin(), listed->end());
    }
    std::vector<std::string> files;
    for (const std::string& name : userNames) {
        Expected<std::string> path = context.FromUser(name);
        if (!path) return Error{"the file name \"" + name + "\": " + path.error().message, {}};
        Expected<FileInfo> info = context.fs().Stat(*path);
        if (info && info->isDirectory) {
            Expected<std::vector<std::string>> walked = WalkFolder(context, *path, suffixes);
            if (!walked) {
                if (!context.keepGoing) return walked.error();
                context.Warn(context.ToUser(walked.error().path) + ": " + walked.error().message);
                continue;
            }
            files.insert(files.end(), walked->begin(), walked->end());
            continue;
        }
        if (Status readable = CheckReadableFile(context, *path); !readable && !context.keepGoing)
            return Error{readable.error().message + " (give --keep-going to go on without it)",
                         *path};
        files.push_back(std::move(*path));
    }
    return files;
}

}  // namespace korvexer::cli
