// SPDX-License-Identifier: MIT
// Runs one golden rewriting case: a folder with case.txt, rows.txt, input.* and expected.* files.
//
// case.txt holds key=value lines: kind (constants or functions), base (the language whose loader
// defaults apply), and optionally carryreturn (rrnn, rr, nn or empty) and onelineexplain. rows.txt
// holds six-column rows in the CLI's row form, GBK bytes, whose file column names an input file
// of the folder. Every input.X is copied to a fresh folder, the rows are applied there, and each
// file must then equal expected.X; a changed file's backup must equal its input.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "cli/row_format.h"
#include "core/language/language_defaults.h"
#include "core/language/language_store.h"
#include "core/rewrite/apply_list_to_sources.h"
#include "tests/support/test_support.h"

namespace {

using namespace korvexer;

std::map<std::string, std::string> ReadSettings(const std::string& text) {
    std::map<std::string, std::string> settings;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::size_t equals = line.find('=');
        if (equals != std::string::npos) settings[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return settings;
}

int Fail(const std::string& message) {
    std::cerr << "FAIL: " << message << '\n';
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return Fail("usage: rewrite_golden FOLDER");
    const std::filesystem::path folder = argv[1];
    std::map<std::string, std::string> settings =
        ReadSettings(test_support::ReadBytes((folder / "case.txt").string()));
    LanguageDefinition language = LoaderDefaults(std::stoi(settings["base"]));
    if (settings.count("carryreturn"))
        language.carryreturn = LineBreakFromText(settings["carryreturn"]);
    if (settings.count("onelineexplain")) language.onelineexplain = settings["onelineexplain"];
    const ListKind kind =
        settings["kind"] == "functions" ? ListKind::Functions : ListKind::Constants;

    test_support::TempDir work;
    std::map<std::string, std::string> inputs;  // file name in the work folder -> its bytes
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("input.", 0) != 0) continue;
        inputs[name] = test_support::ReadBytes(entry.path().string());
        test_support::WriteBytes(work.File(name), inputs[name]);
    }
    if (inputs.empty()) return Fail("no input files");

    RowList rows;
    std::istringstream rowText(test_support::ReadBytes((folder / "rows.txt").string()));
    std::string line;
    while (std::getline(rowText, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> columns = cli::ParseRow(line);
        if (columns.size() > kStepFile && !columns[kStepFile].empty())
            columns[kStepFile] = work.File(columns[kStepFile]);
        rows.Append(std::move(columns));
    }

    Expected<ApplyOutcome> outcome = ApplyListToSources(rows, kind, language, FileSystem::Real());
    if (!outcome) return Fail("refused: " + outcome.error().message);
    int failures = 0;
    for (const Error& failed : outcome->failedFiles) {
        std::cerr << "FAIL: not written: " << failed.path << ": " << failed.message << '\n';
        ++failures;
    }
    for (const auto& [name, bytes] : inputs) {
        const std::string expectedName = "expected" + name.substr(5);
        const std::string expected = test_support::ReadBytes((folder / expectedName).string());
        const std::string actual = test_support::ReadBytes(work.File(name));
        if (actual != expected) {
            std::size_t at = 0;
            while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
            std::cerr << "FAIL: " << name << " differs from " << expectedName << " at byte " << at
                      << "; got: " << actual.substr(at, 60) << '\n';
            ++failures;
        }
        const bool changed = actual != bytes;
        const std::string backup = test_support::ReadBytes(work.File(name + "~"));
        if (changed && backup != bytes) {
            std::cerr << "FAIL: the backup of " << name << " is not its input\n";
            ++failures;
        }
        if (!changed && std::filesystem::exists(work.File(name + "~"))) {
            std::cerr << "FAIL: " << name << " did not change but got a backup\n";
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
