// SPDX-License-Identifier: MIT
// korvexer_rewrite_bench [FILES [ROWS_PER_FILE]]: ApplyListToSources and the take-back of all rows
// over generated files, against reading and writing the same files, at one size and at twice it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "bench/bench_support.h"
#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/list/row_list.h"
#include "core/platform/clock.h"
#include "core/platform/file_system.h"
#include "core/rewrite/apply_list_to_sources.h"
#include "core/scanner/source_scanner.h"

namespace {

using namespace korvexer;

constexpr int kRounds = 3;
constexpr double kMaxToCarefulCopy = 3.0;
constexpr double kMaxDoubling = 2.2;

LanguageDefinition CWithLf() {
    LanguageDefinition language = LoaderDefaults(0);
    language.carryreturn = {'\n', 0};
    return language;
}

void SetStates(RowList& rows, std::string_view state) {
    for (std::size_t row = 0; row < rows.size(); ++row)
        rows.SetText(row, kStepState, std::string(state));
}

// Reads every file and writes it back as a careful copy does: to a new file in the same folder,
// flushed to the disk, renamed over the old one, the folder flushed.
void CopyCarefully(const std::vector<std::string>& files) {
    for (const std::string& path : files) {
        Expected<FileContent> content = FileSystem::Real().Read(path);
        if (!content) std::exit(3);
        const std::string temporary = path + ".copy";
        const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (out < 0 ||
            ::write(out, content->bytes.data(), content->bytes.size()) !=
                static_cast<ssize_t>(content->bytes.size()) ||
            ::fsync(out) != 0 || ::close(out) != 0 ||
            ::rename(temporary.c_str(), path.c_str()) != 0)
            std::exit(3);
        const int folder = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::fsync(folder);
        ::close(folder);
    }
}

// Reads every file and writes it back in place, without flushing.
void CopyPlainly(const std::vector<std::string>& files) {
    for (const std::string& path : files) {
        Expected<FileContent> content = FileSystem::Real().Read(path);
        if (!content) std::exit(3);
        const int out = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (out < 0 || ::write(out, content->bytes.data(), content->bytes.size()) !=
                           static_cast<ssize_t>(content->bytes.size()))
            std::exit(3);
        ::close(out);
    }
}

struct SizeFigures {
    std::size_t rows = 0;
    bench::Timing plain, careful, apply, takeBack;
};

// One size of the benchmark: its files and the rows that apply and take back all constants.
struct Workload {
    Workload(std::size_t fileCount, std::size_t rowsPerFile, const LanguageDefinition& language)
        : files(fileCount),
          paths(bench::GenerateSources(folder.path(), fileCount, rowsPerFile)),
          applyRows(bench::ScanFiles(paths, language, ScanMode::Constants)) {
        SetStates(applyRows, texts::kStateReplace);
        takeBackRows = applyRows;
        SetStates(takeBackRows, "");
    }

    bench::ScratchFolder folder;
    std::size_t files;
    std::vector<std::string> paths;
    RowList applyRows;
    RowList takeBackRows;
};

// Measures both sizes round by round, so that the load of a shared machine and the disk's
// changing flush times fall on both alike.
std::vector<SizeFigures> Measure(const std::vector<Workload*>& sizes,
                                 const LanguageDefinition& language) {
    std::size_t failures = 0;
    auto run = [&](const RowList& rows, std::size_t files) {
        Expected<ApplyOutcome> outcome =
            ApplyListToSources(rows, ListKind::Constants, language, FileSystem::Real());
        if (!outcome || outcome->changedFiles.size() != files) ++failures;
    };
    std::vector<std::function<void()>> jobs;
    for (Workload* size : sizes) {
        jobs.push_back([size] { CopyPlainly(size->paths); });
        jobs.push_back([size] { CopyCarefully(size->paths); });
        jobs.push_back([size, &run] { run(size->applyRows, size->files); });
        jobs.push_back([size, &run] { run(size->takeBackRows, size->files); });
    }
    const std::vector<bench::Timing> times = bench::MedianTimes(jobs, kRounds);
    if (failures != 0) {
        std::fprintf(stderr, "%zu calls did not rewrite every file\n", failures);
        std::exit(3);
    }
    std::vector<SizeFigures> figures;
    for (std::size_t i = 0; i < sizes.size(); ++i)
        figures.push_back({sizes[i]->applyRows.size(), times[4 * i], times[4 * i + 1],
                           times[4 * i + 2], times[4 * i + 3]});
    return figures;
}

void ReportSize(bench::Report& report, const std::string& label, const SizeFigures& f) {
    report.Note(label + ": rows", static_cast<double>(f.rows), "");
    report.Note(label + ": plain read+write, wall", f.plain.wall, "s");
    report.Note(label + ": careful read+write (flushed), wall", f.careful.wall, "s");
    report.Note(label + ": apply, wall", f.apply.wall, "s");
    report.Note(label + ": apply, processor", f.apply.cpu, "s");
    report.Note(label + ": take-back, wall", f.takeBack.wall, "s");
    report.Note(label + ": take-back, processor", f.takeBack.cpu, "s");
    report.Note(label + ": apply / plain read+write", f.apply.wall / f.plain.wall, "");
    report.Note(label + ": take-back / plain read+write", f.takeBack.wall / f.plain.wall, "");
    report.AtMost(label + ": apply / careful read+write", f.apply.wall / f.careful.wall,
                  kMaxToCarefulCopy);
    report.AtMost(label + ": take-back / careful read+write", f.takeBack.wall / f.careful.wall,
                  kMaxToCarefulCopy);
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t files = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000;
    const std::size_t rowsPerFile = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100;
    if (files == 0 || rowsPerFile == 0) {
        std::fprintf(stderr, "usage: korvexer_rewrite_bench [FILES [ROWS_PER_FILE]]\n");
        return 2;
    }
    bench::Report report("rewriting " + std::to_string(files) + " files of " +
                         std::to_string(rowsPerFile) + " rows, and twice as many files");
    const LanguageDefinition language = CWithLf();
    Workload oneSize(files, rowsPerFile, language);
    Workload twoSize(2 * files, rowsPerFile, language);
    const std::vector<SizeFigures> figures = Measure({&oneSize, &twoSize}, language);
    const SizeFigures& one = figures[0];
    const SizeFigures& two = figures[1];
    ReportSize(report, "1x", one);
    ReportSize(report, "2x", two);
    report.Note("apply processor time at 2x / at 1x", two.apply.cpu / one.apply.cpu, "");
    report.Note("take-back processor time at 2x / at 1x", two.takeBack.cpu / one.takeBack.cpu, "");
    report.AtMost("apply time at 2x / at 1x", two.apply.wall / one.apply.wall, kMaxDoubling);
    report.AtMost("take-back time at 2x / at 1x", two.takeBack.wall / one.takeBack.wall,
                  kMaxDoubling);
    return report.Finish();
}
