// SPDX-License-Identifier: MIT
// korvexer_scan_bench [ROOT]: the whole-tree scan against plain reading of the same files, and the
// memory the scan holds. ROOT defaults to the Free Pascal sources.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "bench/bench_support.h"
#include "bench/buffer_probe.h"
#include "core/language/language_defaults.h"
#include "core/list/row_list.h"
#include "core/platform/clock.h"
#include "core/platform/file_system.h"
#include "core/scanner/line_model.h"
#include "core/scanner/source_scanner.h"

namespace {

using namespace korvexer;

constexpr int kRounds = 5;
constexpr double kMaxScanToRead = 2.0;
constexpr double kMaxMemoryToRowText = 4.0;
// The GBK-heavy tree: 40 MB, a third of the Free Pascal sources, in files of their usual size.
constexpr std::size_t kGbkFiles = 400;
constexpr std::size_t kGbkFileBytes = 100000;

LanguageDefinition DelphiWithLf() {
    LanguageDefinition language = LoaderDefaults(3);
    language.carryreturn = {'\n', 0};
    return language;
}

std::size_t ScanTree(const std::vector<std::string>& files, ScanMode mode, RowList& rows,
                     FileSystem& fs = FileSystem::Real()) {
    const LanguageDefinition language = DelphiWithLf();
    const FixedClock clock(1700000000);
    SourceScanner scanner(fs, language, clock);
    std::uint32_t counter = 1024;
    scanner.ScanSourceFiles(rows, &files, std::string(), counter, mode);
    return rows.size();
}

// The bytes the rows take when printed: their columns, a separator after each.
std::size_t RowTextBytes(const RowList& rows) {
    std::size_t bytes = 0;
    for (const Row& row : rows.rows())
        for (const std::string& column : row.columns) bytes += column.size() + 1;
    return bytes;
}

// The child process of the memory figure: scans in a fresh process and prints
// "before peak after rowtext buffers largest": resident bytes before the scan, at its peak and
// after it, the bytes of the rows as text, the most file buffers alive at once and the largest.
int MeasureMemory(const std::string& root, ScanMode mode) {
    const std::vector<std::string> files = bench::FindSources(root, {".pas", ".pp"});
    if (!bench::ResetPeakResident()) return 3;
    const std::size_t before = bench::ResidentBytes();
    RowList rows;
    bench::BufferProbe probe(FileSystem::Real());
    ScanTree(files, mode, rows, probe);
    const std::size_t peak = bench::PeakResidentBytes();
    const std::size_t after = bench::ResidentBytes();
    std::printf("%zu %zu %zu %zu %zu %zu\n", before, peak, after, RowTextBytes(rows),
                bench::BufferProbe::MostAlive(), bench::BufferProbe::LargestBytes());
    return 0;
}

struct MemoryFigures {
    std::size_t before = 0, peak = 0, after = 0, rowText = 0, buffers = 0, largest = 0;
};

bool RunMemoryChild(const std::string& self, const std::string& root, const char* mode,
                    MemoryFigures& figures) {
    const std::string command = "'" + self + "' --memory " + std::string(mode) + " '" + root + "'";
    FILE* child = ::popen(command.c_str(), "r");
    if (child == nullptr) return false;
    const int read =
        std::fscanf(child, "%zu %zu %zu %zu %zu %zu", &figures.before, &figures.peak,
                    &figures.after, &figures.rowText, &figures.buffers, &figures.largest);
    return ::pclose(child) == 0 && read == 6;
}

void ReportMemory(bench::Report& report, const std::string& self, const std::string& root,
                  const char* mode) {
    MemoryFigures m;
    const std::string what = std::string(mode) + " scan";
    if (!RunMemoryChild(self, root, mode, m)) {
        report.Holds(what + ": peak memory measured", false, "no figures");
        return;
    }
    const double mib = 1024.0 * 1024.0;
    const std::size_t held = m.peak - m.before;
    report.Note(what + ": row text", static_cast<double>(m.rowText) / mib, "MiB");
    report.Note(what + ": peak resident growth", static_cast<double>(held) / mib, "MiB");
    report.AtMost(what + ": peak growth / row text",
                  static_cast<double>(held) / static_cast<double>(m.rowText), kMaxMemoryToRowText);
    report.Note(what + ": largest file buffer", static_cast<double>(m.largest) / mib, "MiB");
    report.AtMost(what + ": file buffers alive at once", static_cast<double>(m.buffers), 1);
}

ScanMode ModeNamed(const char* name) {
    return std::strcmp(name, "calls") == 0 ? ScanMode::Calls : ScanMode::Constants;
}

}  // namespace

int main(int argc, char** argv) {
    // --memory MODE ROOT: the child that measures memory; --once MODE ROOT: one scan, to profile;
    // --generate-gbk FOLDER: writes the GBK-heavy Delphi tree that scripts/bench compares on.
    if (argc == 3 && std::strcmp(argv[1], "--generate-gbk") == 0) {
        bench::GenerateGbkDelphiSources(argv[2], kGbkFiles, kGbkFileBytes);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--memory") == 0)
        return MeasureMemory(argv[3], ModeNamed(argv[2]));
    if (argc == 4 && std::strcmp(argv[1], "--once") == 0) {
        RowList rows;
        std::printf("%zu rows\n", ScanTree(bench::FindSources(argv[3], {".pas", ".pp"}),
                                           ModeNamed(argv[2]), rows));
        return 0;
    }
    const std::string root = argc > 1 ? argv[1] : "/usr/share/fpcsrc";
    const std::vector<std::string> files = bench::FindSources(root, {".pas", ".pp"});
    if (files.empty()) {
        std::fprintf(stderr, "no .pas or .pp files below %s\n", root.c_str());
        return 2;
    }

    bench::Report report("scan of " + root);
    // Warm the cache, then take every job in turn so that the machine's load falls on each alike.
    const std::size_t bytes = bench::ReadPlainly(files, kSourceReadLimit);
    std::size_t constantRows = 0;
    std::size_t callRows = 0;
    const std::vector<bench::Timing> times =
        bench::MedianTimes({[&] { bench::ReadPlainly(files, kSourceReadLimit); },
                            [&] {
                                RowList rows;
                                constantRows = ScanTree(files, ScanMode::Constants, rows);
                            },
                            [&] {
                                RowList rows;
                                callRows = ScanTree(files, ScanMode::Calls, rows);
                            }},
                           kRounds);
    const double mb = static_cast<double>(bytes) / 1e6;
    const bench::Timing& read = times[0];
    report.Note("files", static_cast<double>(files.size()), "");
    report.Note("bytes read (at most 512,000 a file)", mb, "MB");
    report.Note("plain read, wall", read.wall, "s");
    report.Note("plain read, processor", read.cpu, "s");
    report.Note("plain read throughput", mb / read.wall, "MB/s");
    const char* names[] = {"constants", "calls"};
    const std::size_t rowCounts[] = {constantRows, callRows};
    for (std::size_t mode = 0; mode < 2; ++mode) {
        const bench::Timing& scan = times[mode + 1];
        const std::string name = std::string(names[mode]) + " scan";
        report.Note(name + " rows", static_cast<double>(rowCounts[mode]), "");
        report.Note(name + ", wall", scan.wall, "s");
        report.Note(name + ", processor", scan.cpu, "s");
        report.Note(name + " throughput", mb / scan.wall, "MB/s");
        report.Note(name + " / plain read, processor time", scan.cpu / read.cpu, "");
        report.AtMost(name + " / plain read, wall time", scan.wall / read.wall, kMaxScanToRead);
    }

    const std::string self = bench::SelfPath();
    ReportMemory(report, self, root, "constants");
    ReportMemory(report, self, root, "calls");
    return report.Finish();
}
