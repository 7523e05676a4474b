// SPDX-License-Identifier: MIT
// korvexer_rewrite_bench [FILES [ROWS_PER_FILE]]: ApplyListToSources and the take-back of all rows
// over generated files, against reading and writing the same files, at one size and at twice it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "bench/bench_support.h"
#include "core/app/list_texts.h"
#include "core/app/row_list.h"
#include "core/constants/apply_list_to_sources.h"
#include "core/language/language_defaults.h"
#include "core/platform/clock.h"
#include "core/platform/file_system.h"
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
        rows.SetText(row, kColumnState, std::string(state));
}

// Reads every file and writes it back as a careful copy does: to a new file in the same folder,
// flushed to the disk, renamed over the old one, the folder flushed.
void CopyCarefully(const std::vector<std::string>& files) {
    std::string buffer;
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

SizeFigures Measure(std::size_t files, std::size_t rowsPerFile) {
    bench::ScratchFolder folder;
    const LanguageDefinition language = CWithLf();
    const std::vector<std::string> paths =
        bench::GenerateSources(folder.path(), files, rowsPerFile);
    RowList applyRows = bench::ScanFiles(paths, language, ScanMode::Constants);
    SetStates(applyRows, texts::kStateReplace);
    RowList takeBackRows = applyRows;
    SetStates(takeBackRows, "");

    SizeFigures figures;
    figures.rows = applyRows.size();
    std::size_t failures = 0;
    auto run = [&](const RowList& rows) {
        Expected<ApplyOutcome> outcome =
            ApplyListToSources(rows, ListKind::Constants, language, FileSystem::Real());
        if (!outcome || outcome->changedFiles.size() != files) ++failures;
    };
    const std::vector<bench::Timing> times =
        bench::MedianTimes({[&] { CopyPlainly(paths); }, [&] { CopyCarefully(paths); },
                            [&] { run(applyRows); }, [&] { run(takeBackRows); }},
                           kRounds);
    if (failures != 0) {
        std::fprintf(stderr, "%zu calls did not rewrite every file\n", failures);
        std::exit(3);
    }
    figures.plain = times[0];
    figures.careful = times[1];
    figures.apply = times[2];
    figures.takeBack = times[3];
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
    const SizeFigures one = Measure(files, rowsPerFile);
    ReportSize(report, "1x", one);
    const SizeFigures two = Measure(2 * files, rowsPerFile);
    ReportSize(report, "2x", two);
    report.AtMost("apply time at 2x / at 1x", two.apply.wall / one.apply.wall, kMaxDoubling);
    report.AtMost("take-back time at 2x / at 1x", two.takeBack.wall / one.takeBack.wall,
                  kMaxDoubling);
    return report.Finish();
}
