// SPDX-License-Identifier: MIT
// Helpers of the benchmark programs: timing, figures with their targets, source lists, memory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/language/language_definition.h"
#include "core/list/row_list.h"
#include "core/scanner/statement_extractor.h"

namespace korvexer::bench {

// Seconds spent in `work`, measured with the steady clock.
double TimeSeconds(const std::function<void()>& work);

// The median of `samples`; 0 for none.
double Median(std::vector<double> samples);

// The median wall-clock and processor time of a job, in seconds.
struct Timing {
    double wall = 0;
    double cpu = 0;  // of this process, user and system
};

// Runs every job of `jobs` `rounds` times, round by round (job 1, job 2, ..., then again), so
// that a burst of load on a shared machine falls on all of them alike, and returns each job's
// median times.
std::vector<Timing> MedianTimes(const std::vector<std::function<void()>>& jobs, int rounds);

// The figures of one benchmark program: each is printed with its target as it is added; Finish()
// prints the verdict and gives the exit status (1 when a target was missed).
class Report {
public:
    explicit Report(std::string title);

    // A figure that is only informative.
    void Note(const std::string& name, double value, const std::string& unit);
    // A figure that must stay at or below `limit`.
    void AtMost(const std::string& name, double value, double limit);
    // A figure that must reach at least `floor`.
    void AtLeast(const std::string& name, double value, double floor);
    // A yes/no condition.
    void Holds(const std::string& name, bool holds, const std::string& detail);

    int missed() const { return m_missed; }
    int Finish() const;

private:
    void Print(const std::string& name, const std::string& value, const std::string& target,
               bool met);

    std::string m_title;
    int m_checked = 0;
    int m_missed = 0;
};

// The regular files below `root` whose names end with one of `suffixes` (compared without
// regard to case), in byte order of their paths.
std::vector<std::string> FindSources(const std::string& root,
                                     const std::vector<std::string>& suffixes);

// Reads every file of `paths`, at most `limit` bytes each, into one reused buffer and returns
// the number of bytes read. This is the floor any scan of the files sits on.
std::size_t ReadPlainly(const std::vector<std::string>& paths, std::size_t limit);

// The peak and current resident memory of this process in bytes, from /proc/self/status (0 when
// it cannot be read).
std::size_t PeakResidentBytes();
std::size_t ResidentBytes();
// Lets PeakResidentBytes() start again from the current resident memory. Returns false where the
// system does not offer it.
bool ResetPeakResident();

// Writes `files` C source files unit0.cpp, unit1.cpp, ... into `folder`, each with
// `rowsPerFile` string and number assignments and call lines between them; returns their paths.
// Ends the program when a file cannot be written.
std::vector<std::string> GenerateSources(const std::string& folder, std::size_t files,
                                         std::size_t rowsPerFile);

// Writes `files` Delphi units unit0.pas, unit1.pas, ... into `folder`, about `bytes` bytes each,
// heavy with GBK text: Chinese strings and comments on most lines, `{ }` comments, LF breaks; one
// character in ten from GBK's extension, whose second bytes include letters and braces. The same
// arguments always write the same bytes. Returns their paths; ends the program when a file cannot
// be written.
std::vector<std::string> GenerateGbkDelphiSources(const std::string& folder, std::size_t files,
                                                  std::size_t bytes);

// The rows of a scan of `files`, in the given order, with a fixed clock.
RowList ScanFiles(const std::vector<std::string>& files, const LanguageDefinition& language,
                  ScanMode mode);

// The path of the running program.
std::string SelfPath();

// A fresh folder under the temporary folder, removed with its content at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace korvexer::bench
