// SPDX-License-Identifier: MIT
// Timing, reporting, file lists and memory figures shared by the benchmark programs.
#include "bench/bench_support.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>
#include <ctime>

#include <fcntl.h>
#include <unistd.h>

#include "core/platform/clock.h"
#include "core/platform/file_system.h"
#include "core/scanner/source_scanner.h"

namespace korvexer::bench {

namespace fs = std::filesystem;

double TimeSeconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto stop = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(stop - start).count();
}

double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

static double ProcessCpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

std::vector<Timing> MedianTimes(const std::vector<std::function<void()>>& jobs, int rounds) {
    std::vector<std::vector<double>> wall(jobs.size());
    std::vector<std::vector<double>> cpu(jobs.size());
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t job = 0; job < jobs.size(); ++job) {
            const double cpuStart = ProcessCpuSeconds();
            wall[job].push_back(TimeSeconds(jobs[job]));
            cpu[job].push_back(ProcessCpuSeconds() - cpuStart);
        }
    }
    std::vector<Timing> medians;
    for (std::size_t job = 0; job < jobs.size(); ++job)
        medians.push_back({Median(wall[job]), Median(cpu[job])});
    return medians;
}

Report::Report(std::string title) : m_title(std::move(title)) {
    std::printf("== %s\n", m_title.c_str());
}

void Report::Print(const std::string& name, const std::string& value, const std::string& target,
                   bool met) {
    ++m_checked;
    if (!met) ++m_missed;
    std::printf("  %-58s %14s   target %-10s %s\n", name.c_str(), value.c_str(), target.c_str(),
                met ? "ok" : "MISSED");
    std::fflush(stdout);
}

void Report::Note(const std::string& name, double value, const std::string& unit) {
    std::printf("  %-58s %14.3f %s\n", name.c_str(), value, unit.c_str());
    std::fflush(stdout);
}

static std::string Number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

void Report::AtMost(const std::string& name, double value, double limit) {
    Print(name, Number(value), "<= " + Number(limit), value <= limit);
}

void Report::AtLeast(const std::string& name, double value, double floor) {
    Print(name, Number(value), ">= " + Number(floor), value >= floor);
}

void Report::Holds(const std::string& name, bool holds, const std::string& detail) {
    Print(name, detail, "holds", holds);
}

int Report::Finish() const {
    std::printf("== %s: %d of %d targets met\n", m_title.c_str(), m_checked - m_missed, m_checked);
    return m_missed == 0 ? 0 : 1;
}

std::vector<std::string> FindSources(const std::string& root,
                                     const std::vector<std::string>& suffixes) {
    auto lower = [](std::string text) {
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    std::vector<std::string> found;
    std::error_code error;
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        const std::string name = lower(it->path().filename().string());
        for (const std::string& suffix : suffixes) {
            if (name.size() > suffix.size() &&
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
                found.push_back(it->path().string());
                break;
            }
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::size_t ReadPlainly(const std::vector<std::string>& paths, std::size_t limit) {
    // Files up to the scanner's read limit fit the buffer whole; longer ones pass through it.
    std::vector<char> buffer(std::min<std::size_t>(limit, 512000));
    std::size_t total = 0;
    for (const std::string& path : paths) {
        const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) continue;
        std::size_t filled = 0;
        while (filled < limit) {
            const std::size_t at = filled % buffer.size();
            const std::size_t want = std::min(buffer.size() - at, limit - filled);
            const ssize_t got = ::read(descriptor, buffer.data() + at, want);
            if (got <= 0) break;
            filled += static_cast<std::size_t>(got);
        }
        ::close(descriptor);
        total += filled;
    }
    return total;
}

static std::size_t StatusField(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.compare(0, key.size(), key) == 0)
            return static_cast<std::size_t>(std::strtoull(line.c_str() + key.size(), nullptr, 10)) *
                   1024;
    return 0;
}

std::size_t PeakResidentBytes() {
    return StatusField("VmHWM");
}

std::size_t ResidentBytes() {
    return StatusField("VmRSS");
}

bool ResetPeakResident() {
    // Writing 5 to clear_refs sets the peak back to the current resident size.
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

std::vector<std::string> GenerateSources(const std::string& folder, std::size_t files,
                                         std::size_t rowsPerFile) {
    std::vector<std::string> paths;
    for (std::size_t f = 0; f < files; ++f) {
        std::string text = "#include \"unit" + std::to_string(f) + ".h\"\n\nvoid Setup" +
                           std::to_string(f) + "()\n{\n";
        for (std::size_t r = 0; r < rowsPerFile; ++r) {
            const std::string n = std::to_string(r);
            if (r % 2 == 0)
                text += "    name" + n + " = \"caption number " + n + " of the form\";\n";
            else
                text += "    size" + n + " = " + std::to_string(r * 37) + ";\n";
            if (r % 4 == 0) text += "    Refresh(name" + n + ", size" + n + "); // layout\n";
        }
        text += "}\n";
        const std::string path = folder + "/unit" + std::to_string(f) + ".cpp";
        if (Status written = ReplaceFile(FileSystem::Real(), path, text); !written) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            std::exit(2);
        }
        paths.push_back(path);
    }
    return paths;
}

std::vector<std::string> GenerateGbkDelphiSources(const std::string& folder, std::size_t files,
                                                  std::size_t bytes) {
    std::mt19937 random(20261208);
    auto chinese = [&](std::size_t characters) {
        std::string text;
        for (std::size_t c = 0; c < characters; ++c) {
            const bool extension = random() % 10 == 0;
            const unsigned lead = extension ? 0x81 + random() % 0x20 : 0xB0 + random() % 0x48;
            const unsigned trail = extension ? 0x40 + random() % 0x3F : 0xA1 + random() % 0x5E;
            text += static_cast<char>(lead);
            text += static_cast<char>(trail);
        }
        return text;
    };
    auto number = [&] { return std::to_string(random() % 100000); };
    std::vector<std::string> paths;
    for (std::size_t f = 0; f < files; ++f) {
        const std::string unit = "unit" + std::to_string(f);
        std::string text = "unit " + unit + ";\n{ " + chinese(12) + " }\ninterface\n\n" +
                           "implementation\n\nprocedure Setup;\nbegin\n";
        while (text.size() < bytes) {
            switch (random() % 8) {
                case 0:
                    text += "  Caption" + number() + " := '" + chinese(4 + random() % 12) +
                            "'; // " + chinese(6) + "\n";
                    break;
                case 1:
                    text += "  { " + chinese(10 + random() % 20) + " }\n";
                    break;
                case 2:
                    text += "  Count" + number() + " := " + number() + "; { " + chinese(5) + " }\n";
                    break;
                case 3:
                    text += "  ShowMessage('" + chinese(8) + "', Count" + number() + ");\n";
                    break;
                case 4:
                    text += "  {\n    " + chinese(20) + "\n    " + chinese(16) + "\n  }\n";
                    break;
                case 5:
                    text += "  Hint" + number() + " := '" + chinese(3) + "' + Name; // " +
                            chinese(9) + "\n";
                    break;
                case 6:
                    text += "  if Count" + number() + " > 0 then Refresh(Self); { " + chinese(4) +
                            " }\n";
                    break;
                default:
                    text += "  Flags := $" + std::to_string(10 + random() % 90) + "FF; // " +
                            chinese(7) + "\n";
                    break;
            }
        }
        text += "end;\n\nend.\n";
        const std::string path = folder + "/" + unit + ".pas";
        if (Status written = ReplaceFile(FileSystem::Real(), path, text); !written) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            std::exit(2);
        }
        paths.push_back(path);
    }
    return paths;
}

RowList ScanFiles(const std::vector<std::string>& files, const LanguageDefinition& language,
                  ScanMode mode) {
    const FixedClock clock(1700000000);
    SourceScanner scanner(FileSystem::Real(), language, clock);
    RowList rows;
    std::uint32_t counter = 1024;
    scanner.ScanSourceFiles(rows, &files, std::string(), counter, mode);
    return rows;
}

std::string SelfPath() {
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error).string();
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "korvexer-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    m_path = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    fs::remove_all(m_path, error);
}

}  // namespace korvexer::bench
