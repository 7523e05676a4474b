// SPDX-License-Identifier: MIT
// korvexer_tool_bench FOLDER [XGETTEXT]: listing the constants of the C files below FOLDER with the
// Visual C++ definition, against extracting every string literal of the same files with xgettext.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "core/language/language_defaults.h"
#include "core/list/row_list.h"
#include "core/platform/clock.h"
#include "core/platform/file_system.h"
#include "core/scanner/line_model.h"
#include "core/scanner/source_scanner.h"

namespace {

using namespace korvexer;

constexpr int kRounds = 3;
constexpr double kMinSpeedUp = 10.0;

std::size_t ScanConstants(const std::vector<std::string>& files) {
    LanguageDefinition language = LoaderDefaults(0);
    language.carryreturn = {'\n', 0};
    const FixedClock clock(1700000000);
    SourceScanner scanner(FileSystem::Real(), language, clock);
    RowList rows;
    std::uint32_t counter = 1024;
    scanner.ScanSourceFiles(rows, &files, std::string(), counter, ScanMode::Constants);
    return rows.size();
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: korvexer_tool_bench FOLDER [XGETTEXT]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string xgettext = argc > 2 ? argv[2] : "xgettext";
    const std::vector<std::string> files = bench::FindSources(folder, {".c"});
    if (files.empty()) {
        std::fprintf(stderr, "no .c files below %s\n", folder.c_str());
        return 2;
    }
    bench::ScratchFolder scratch;
    const std::string list = scratch.path() + "/files.txt";
    {
        std::ofstream out(list);
        for (const std::string& file : files) out << file << '\n';
    }
    const std::string command = Quoted(xgettext) + " -a --language=C --from-code=ISO-8859-1 -f " +
                                Quoted(list) + " -o " + Quoted(scratch.path() + "/all.po") +
                                " 2>/dev/null";

    bench::Report report("listing constants of the C files below " + folder);
    bench::ReadPlainly(files, FileSystem::kNoLimit);  // warm the cache
    std::size_t rows = 0;
    int toolStatus = 0;
    const std::vector<bench::Timing> times = bench::MedianTimes(
        {[&] { rows = ScanConstants(files); }, [&] { toolStatus = std::system(command.c_str()); }},
        kRounds);
    if (toolStatus != 0) {
        report.Holds("xgettext ran", false, "status " + std::to_string(toolStatus));
        return report.Finish();
    }
    const double mb = static_cast<double>(bench::ReadPlainly(files, kSourceReadLimit)) / 1e6;
    report.Note("files", static_cast<double>(files.size()), "");
    report.Note("bytes (at most 512,000 a file)", mb, "MB");
    report.Note("constants listed", static_cast<double>(rows), "");
    report.Note("constant scan, wall", times[0].wall, "s");
    report.Note("constant scan throughput", mb / times[0].wall, "MB/s");
    report.Note("xgettext -a, wall", times[1].wall, "s");
    report.Note("xgettext -a throughput", mb / times[1].wall, "MB/s");
    report.AtLeast("xgettext time / scan time", times[1].wall / times[0].wall, kMinSpeedUp);
    return report.Finish();
}
