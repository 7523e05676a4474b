// SPDX-License-Identifier: MIT
// Writing the user guide beside the project's sources without overwriting the user's own readme.
#include "core/app/user_guide_writer.h"

#include "core/app/path_rules.h"

namespace korvexer {

namespace {

#ifdef _WIN32
constexpr std::string_view kCurrentFolder = ".\\";
#else
constexpr std::string_view kCurrentFolder = "./";
#endif

constexpr int kMaxAlternativeNames = 99;

// True when `path` may take the guide: there is no file of that name, or it is an earlier copy of
// the guide. Anything that cannot be read counts as the user's own file.
bool MayHoldGuide(FileSystem& fs, const std::string& path, std::string_view guide) {
    if (!fs.Exists(path)) return true;
    Expected<FileContent> content = fs.Read(path, guide.size() + 1);
    return content && content->complete && content->bytes == guide;
}

std::string AlternativeName(int number) {
    if (number == 1) return "readme-korvexer.txt";
    return "readme-korvexer-" + std::to_string(number) + ".txt";
}

}  // namespace

Expected<std::string> WriteUserGuide(FileSystem& fs, const std::string& mainSourceFile,
                                     std::string_view guide) {
    const std::string folder =
        mainSourceFile.empty() ? std::string(kCurrentFolder) : GetPathDirectory(mainSourceFile);
    std::string path = folder + std::string(kUserGuideName);
    for (int number = 1; !MayHoldGuide(fs, path, guide); ++number) {
        if (number > kMaxAlternativeNames)
            return Error{"no free file name for the user guide in this folder", folder,
                         ErrorKind::NoFreeName};
        path = folder + AlternativeName(number);
    }
    Status written = ReplaceFile(fs, path, guide);
    if (!written) return written.error();
    return path;
}

}  // namespace korvexer
