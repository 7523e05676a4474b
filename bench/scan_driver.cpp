// SPDX-License-Identifier: MIT
// korvexer_scan_driver MODE ROOT: one whole-tree scan of ROOT's Delphi files (.pas, .pp) in this
// process, timed, for scripts/bench to run this build and an older one in turn. Prints
// "ROWS WALL CPU", the seconds of the scan alone (the file list and a warming read come first).
// It uses only what every build of the scanner has had, so that an older core links with it.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#if __has_include("core/list/row_list.h")
#include "core/list/row_list.h"
#else
#include "core/app/row_list.h"
#endif
#include "core/language/language_defaults.h"
#include "core/platform/clock.h"
#include "core/platform/file_system.h"
#include "core/scanner/source_scanner.h"

namespace {

using namespace korvexer;

std::vector<std::string> DelphiFiles(const std::string& root) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::string suffix = entry.path().extension().string();
        std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (suffix == ".pas" || suffix == ".pp") files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::size_t Scan(const std::vector<std::string>& files, ScanMode mode) {
    LanguageDefinition language = LoaderDefaults(3);
    language.carryreturn = {'\n', 0};
    const FixedClock clock(1700000000);
    SourceScanner scanner(FileSystem::Real(), language, clock);
    RowList rows;
    std::uint32_t counter = 1024;
    scanner.ScanSourceFiles(rows, &files, std::string(), counter, mode);
    return rows.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: korvexer_scan_driver constants|calls ROOT\n");
        return 2;
    }
    const ScanMode mode =
        std::strcmp(argv[1], "calls") == 0 ? ScanMode::Calls : ScanMode::Constants;
    const std::vector<std::string> files = DelphiFiles(argv[2]);
    Scan(files, mode);  // warms the page cache and the allocator
    const auto wallStart = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    const std::size_t rows = Scan(files, mode);
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    std::printf("%zu %.6f %.6f\n", rows, wall, cpu);
    return 0;
}
