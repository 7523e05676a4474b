// SPDX-License-Identifier: MIT
// korvexer_round_trip FOLDER [LIMIT] [pascal|cpp]: the scan, apply and take-back round trip over a
// copy of the Pascal (Delphi definition) or C and C++ (Visual C++ definition) sources below FOLDER,
// with LF line breaks and each file in its own encoding, with the time of each step.
#include <cstdio>
#include <iostream>
#include <string>

#include "core/language/language_defaults.h"
#include "tests/support/round_trip.h"
#include "tests/support/test_support.h"

int main(int argc, char** argv) {
    using namespace korvexer;
    const bool cpp = argc == 4 && std::string(argv[3]) == "cpp";
    if (argc < 2 || argc > 4 || (argc == 4 && !cpp && std::string(argv[3]) != "pascal")) {
        std::cerr << "usage: korvexer_round_trip FOLDER [LIMIT] [pascal|cpp]\n";
        return 2;
    }
    const std::size_t limit = argc >= 3 ? std::stoul(argv[2]) : static_cast<std::size_t>(-1);
    test_support::TempDir copy;
    const std::vector<std::string> suffixes =
        cpp ? std::vector<std::string>{".c", ".cc", ".cpp", ".h", ".hpp"}
            : std::vector<std::string>{".pas", ".pp", ".inc", ".lpr"};
    const std::vector<std::string> files =
        test_support::CopySources(argv[1], copy.path(), suffixes, limit);
    LanguageDefinition language = LoaderDefaults(cpp ? 0 : 3);
    language.carryreturn = {'\n', 0};
    const test_support::RoundTripReport report = test_support::RoundTrip(files, language);
    std::printf("files %zu, rows %zu, files rewritten %zu\n", report.files, report.rows,
                report.changedFiles);
    std::printf("scan %.2f s, apply %.2f s, second apply %.2f s, take-back %.2f s\n",
                report.scanSeconds, report.applySeconds, report.reapplySeconds,
                report.takeBackSeconds);
    for (const std::string& problem : report.problems)
        std::printf("PROBLEM: %s\n", problem.c_str());
    std::printf("%zu problems\n", report.problems.size());
    return report.problems.empty() ? 0 : 1;
}
