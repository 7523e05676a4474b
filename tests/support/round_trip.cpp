// SPDX-License-Identifier: MIT
// The scan, apply and take-back round trip over real source files.
#include "tests/support/round_trip.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>

#include "core/list/list_texts.h"
#include "core/platform/clock.h"
#include "core/rewrite/apply_list_to_sources.h"
#include "core/scanner/line_model.h"
#include "core/scanner/source_scanner.h"
#include "tests/support/test_support.h"

namespace korvexer::test_support {

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void SetStates(RowList& rows, std::string_view state) {
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (rows.Text(row, kStepState) != texts::kStateUnknown)
            rows.SetText(row, kStepState, std::string(state));
}

void Check(const Expected<ApplyOutcome>& outcome, const char* step, RoundTripReport& report) {
    if (!outcome) {
        report.problems.push_back(std::string(step) + ": refused: " + outcome.error().message);
        return;
    }
    for (const Error& failed : outcome->failedFiles)
        report.problems.push_back(std::string(step) + ": not written: " + failed.path + ": " +
                                  failed.message);
}

}  // namespace

RoundTripReport RoundTrip(const std::vector<std::string>& files,
                          const LanguageDefinition& language) {
    RoundTripReport report;
    report.files = files.size();
    FileSystem& fs = FileSystem::Real();
    std::unordered_map<std::string, std::string> originals;
    for (const std::string& file : files) originals[file] = ReadBytes(file);

    auto start = std::chrono::steady_clock::now();
    FixedClock clock(1700000000);
    SourceScanner scanner(fs, language, clock);
    RowList rows;
    std::uint32_t counter = 1024;
    for (const std::string& file : files)
        (void)scanner.ScanFile(rows, file, counter, ScanMode::Constants);
    report.rows = rows.size();
    report.scanSeconds = SecondsSince(start);

    SetStates(rows, texts::kStateReplace);
    start = std::chrono::steady_clock::now();
    Expected<ApplyOutcome> applied = ApplyListToSources(rows, ListKind::Constants, language, fs);
    report.applySeconds = SecondsSince(start);
    Check(applied, "apply", report);
    std::unordered_set<std::string> changed;
    if (applied) changed.insert(applied->changedFiles.begin(), applied->changedFiles.end());
    report.changedFiles = changed.size();

    start = std::chrono::steady_clock::now();
    Expected<ApplyOutcome> again = ApplyListToSources(rows, ListKind::Constants, language, fs);
    report.reapplySeconds = SecondsSince(start);
    Check(again, "second apply", report);
    if (again)
        for (const std::string& file : again->changedFiles)
            report.problems.push_back("second apply changed " + file);

    SetStates(rows, "");
    start = std::chrono::steady_clock::now();
    Expected<ApplyOutcome> back = ApplyListToSources(rows, ListKind::Constants, language, fs);
    report.takeBackSeconds = SecondsSince(start);
    Check(back, "take-back", report);

    for (const std::string& file : files) {
        const std::string& expected = originals[file];
        const std::string actual = ReadBytes(file);
        if (actual == expected) continue;
        std::size_t at = 0;
        while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
        report.problems.push_back(file + ": differs from the original at byte " +
                                  std::to_string(at) + ": " + actual.substr(at, 80));
    }
    return report;
}

std::vector<std::string> CopySources(const std::string& from, const std::string& to,
                                     const std::vector<std::string>& suffixes, std::size_t limit) {
    namespace fsys = std::filesystem;
    std::vector<fsys::path> found;
    for (const auto& entry : fsys::recursive_directory_iterator(from)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        for (const std::string& suffix : suffixes)
            if (name.size() >= suffix.size() &&
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
                found.push_back(entry.path());
                break;
            }
    }
    std::sort(found.begin(), found.end());
    if (found.size() > limit) found.resize(limit);
    std::vector<std::string> copies;
    for (const fsys::path& source : found) {
        fsys::path target = fsys::path(to) / fsys::relative(source, from);
        fsys::create_directories(target.parent_path());
        fsys::copy_file(source, target, fsys::copy_options::overwrite_existing);
        copies.push_back(target.string());
    }
    return copies;
}

}  // namespace korvexer::test_support
