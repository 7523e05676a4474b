// SPDX-License-Identifier: MIT
// korvexer-cli project: the two workflow steps run on a saved project, without the window.
#include "cli/commands.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "core/app/list_texts.h"
#include "core/app/path_rules.h"
#include "core/app/project_settings.h"
#include "core/constants/constant_step.h"
#include "core/functions/function_catalogue.h"
#include "core/functions/function_step.h"
#include "core/language/language_defaults.h"
#include "core/platform/c_number.h"
#include "core/platform/gbk_text.h"
#include "core/platform/path_case.h"
#include "core/record/record_file.h"

namespace korvexer::cli {

namespace {

// The options every project command takes.
struct ProjectOptions {
    std::string company;  // empty: the last saved project's, from "Common Data"
    std::string product;
    std::vector<std::string> sources;  // files to add to the source-file list first
    std::vector<std::string> pairs;    // NAME=SUBSTITUTE
    bool catalogue = false;
};

// A saved project as the main window holds it: its settings, its language and the three lists
// of its record file.
class ProjectSession {
public:
    explicit ProjectSession(CliContext& context) : m_context(context) {}

    // Loads the settings of the project, its language and its record file (beside the
    // application file, else the copy beside the main source file). For a step, a project
    // without a main source file or application file, or a record file that exists but cannot be
    // read, is refused: writing the record afterwards would lose what it holds. Otherwise such a
    // record is named in a warning and the lists stay empty.
    Status Load(const ProjectOptions& options, bool forSteps) {
        Expected<ProfileStore> store = m_context.Settings();
        if (!store) return store.error();
        Expected<std::string> company = m_context.FromUser(options.company);
        Expected<std::string> product = m_context.FromUser(options.product);
        if (!company || !product) return Error{"--company or --product has no GBK form", {}};
        LoadProjectSettings(*store, *company, *product, m_settings);
        if (!company->empty()) m_settings.company = *company;
        if (m_settings.company.empty() || m_settings.product.empty())
            return Error{
                "no project: the settings file names no saved project; give --company "
                "and --product",
                {}};
        Expected<LanguageDefinition> language = m_context.Language(m_settings.languageIndex);
        if (!language) return language.error();
        m_language = std::move(*language);

        m_mainSource = TrimLeadingBlanks(TrimTrailingBlanks(m_settings.mainSourceFile));
        const std::string application =
            TrimLeadingBlanks(TrimTrailingBlanks(m_settings.applicationFile));
        if (forSteps && m_mainSource.empty())
            return Error{
                "the project has no main source file (MainPrgFile); save it in the "
                "window first",
                {}};
        if (application.empty()) {
            if (forSteps)
                return Error{
                    "the project has no application file (Application), so it has no "
                    "record file; save it in the window first",
                    {}};
            return Status::Ok();
        }
        m_recordPath = RecordFilePath(application);
        Status read = ReadRecord();
        if (!read && !forSteps) {
            // Showing writes nothing: say what is wrong and show the settings all the same.
            m_context.Warn(m_context.ToUser(read.error().message));
            return Status::Ok();
        }
        return read;
    }

    const ProjectSettings& settings() const { return m_settings; }
    const LanguageDefinition& language() const { return m_language; }
    const std::string& mainSource() const { return m_mainSource; }
    const std::string& recordPath() const { return m_recordPath; }
    const std::string& recordRead() const { return m_recordRead; }
    RecordLists& lists() { return m_lists; }

    // The index the constant step numbers from: that of the last constant row, or 1024.
    std::uint32_t ConstantCounter() const {
        if (m_lists.constants.empty()) return static_cast<std::uint32_t>(kFirstConstantIndex);
        return static_cast<std::uint32_t>(
            CAtol(m_lists.constants.Text(m_lists.constants.size() - 1, 0)));
    }

    // Adds files to the source-file list as the window's "add" does: blanks trimmed, no
    // duplicates, none of the runtime library's own files. Names the refused ones.
    void AddSources(const std::vector<std::string>& userPaths) {
        for (const std::string& userPath : userPaths) {
            Expected<std::string> gbkPath = m_context.FromUser(userPath);
            if (!gbkPath) {
                m_context.Warn(userPath + " has no GBK form; it was not added");
                continue;
            }
            std::string path = TrimLeadingBlanks(TrimTrailingBlanks(*gbkPath));
            if (path.empty()) continue;
            bool listed = false;
            for (const std::string& entry : m_lists.sourceFiles)
                listed = listed || PathCaseKey(entry) == PathCaseKey(path);
            const std::size_t slash = gbk::FindLastOf(path, "/\\");
            const std::string name =
                gbk::ToLower(slash == std::string::npos ? path : path.substr(slash + 1));
            const bool library =
                !m_language.libraryfiles.empty() &&
                (";" + m_language.libraryfiles).find(";" + name + ";") != std::string::npos;
            if (listed || library) {
                m_context.Warn(
                    userPath +
                    (listed ? " is already listed" : " is one of the runtime library's own files") +
                    "; it was not added");
                continue;
            }
            m_lists.sourceFiles.push_back(PathCaseKey(path));
        }
    }

    // Writes the record file and its copy beside the main source file, as the window does after
    // a step. False (with the reason on standard error and exit status 1) when the record could
    // not be written.
    bool SaveRecord() {
        if (Status written = WriteRecordFile(m_context.fs(), m_recordPath, m_lists); !written) {
            m_context.err() << "korvexer-cli: the record file " << m_context.ToUser(m_recordPath)
                            << " could not be written: "
                            << m_context.ToUser(written.error().message) << '\n';
            m_context.exitCode = kExitFilesFailed;
            return false;
        }
        if (Status copied = CopyToSiblingPath(m_context.fs(), m_recordPath, m_mainSource); !copied)
            m_context.Warn("the copy of the record file beside " + m_context.ToUser(m_mainSource) +
                           " could not be written: " + m_context.ToUser(copied.error().message));
        return true;
    }

private:
    Status ReadRecord() {
        std::int32_t counter = kFirstConstantIndex;
        RecordReadResult result = ReadRecordFile(m_context.fs(), m_recordPath, m_lists, counter);
        m_recordRead = m_recordPath;
        if (result == RecordReadResult::Complete) return Status::Ok();
        const RecordReadResult first = result;
        const std::string sibling = MakeSiblingPath(m_recordPath, m_mainSource);
        if (!sibling.empty()) {
            // All three lists start again: a fault in a later section left rows in them.
            m_lists = RecordLists();
            result = ReadRecordFile(m_context.fs(), sibling, m_lists, counter);
            m_recordRead = sibling;
            if (result == RecordReadResult::Complete) return Status::Ok();
        }
        m_lists = RecordLists();
        m_recordRead.clear();
        if (first == RecordReadResult::Missing &&
            (sibling.empty() || result == RecordReadResult::Missing))
            return Status::Ok();  // a project without replacements yet
        return Error{"the record file " + m_recordPath + " exists but cannot be read (result " +
                         std::to_string(static_cast<int>(first)) +
                         "); nothing was changed, so that what it holds is not lost",
                     {}};
    }

    CliContext& m_context;
    ProjectSettings m_settings;
    LanguageDefinition m_language;
    std::string m_mainSource;
    std::string m_recordPath;
    std::string m_recordRead;  // the file the lists came from; "" when none was read
    RecordLists m_lists;
};

// Reports what OK did: changed files on standard output, unreadable ones as warnings, files that
// could not be written on standard error (exit status 1); then writes the record.
int Finish(CliContext& context, ProjectSession& session, const StepAcceptOutcome& outcome) {
    if (!outcome.accepted)
        return context.Refuse(outcome.message ? context.ToUser(outcome.message->text)
                                              : "the step was refused");
    for (const std::string& file : outcome.files.changedFiles)
        context.out() << context.ToUser(file) << '\n';
    for (const Error& unreadable : outcome.files.unreadableFiles)
        context.Warn(context.ToUser(unreadable.path) + " cannot be read (" +
                     context.ToUser(unreadable.message) + "); its rows were left alone");
    for (const Error& failed : outcome.files.failedFiles)
        context.err() << "korvexer-cli: " << context.ToUser(failed.path)
                      << " could not be written: " << context.ToUser(failed.message) << '\n';
    if (!outcome.files.failedFiles.empty()) context.exitCode = kExitFilesFailed;
    session.SaveRecord();
    return context.exitCode;
}

void WarnUnreadable(CliContext& context, const std::vector<Error>& unreadable) {
    for (const Error& error : unreadable)
        context.Warn(context.ToUser(error.path) + " cannot be read (" +
                     context.ToUser(error.message) + "); it was not scanned");
}

enum class ConstantAction { Protect, Restore };

int RunConstantStep(CliContext& context, const ProjectOptions& options, ConstantAction action) {
    ProjectSession session(context);
    if (Status loaded = session.Load(options, true); !loaded)
        return context.Refuse(context.ToUser(loaded.error().message));
    session.AddSources(options.sources);
    ConstantStep step(context.fs(), session.language(), Clock::System());
    RecordLists& lists = session.lists();
    WarnUnreadable(context, step.Open(lists.constants, &lists.sourceFiles, session.mainSource(),
                                      session.ConstantCounter()));
    if (action == ConstantAction::Protect)
        step.ReplaceAll();
    else
        step.RevertAll();
    return Finish(context, session,
                  step.Accept(lists.constants, lists.functions, lists.sourceFiles));
}

enum class FunctionAction { Substitute, Unsubstitute };

int RunFunctionStep(CliContext& context, const ProjectOptions& options, FunctionAction action) {
    std::map<std::string, std::string> pairs;  // lower-cased call name -> substitute
    for (const std::string& pair : options.pairs) {
        const std::size_t equals = pair.find('=');
        Expected<std::string> text = context.FromUser(pair);
        if (equals == std::string::npos || equals == 0 || equals + 1 == pair.size() || !text)
            return context.Refuse("--pair must be NAME=SUBSTITUTE, not \"" + pair + "\"");
        const std::size_t gbkEquals = text->find('=');
        pairs[gbk::ToLower(text->substr(0, gbkEquals))] = text->substr(gbkEquals + 1);
    }
    if (action == FunctionAction::Substitute && pairs.empty() && !options.catalogue)
        return context.Refuse("project substitute needs --pair NAME=SUBSTITUTE or --catalogue");

    ProjectSession session(context);
    if (Status loaded = session.Load(options, true); !loaded)
        return context.Refuse(context.ToUser(loaded.error().message));
    session.AddSources(options.sources);
    FunctionStep step(context.fs(), session.language());
    RecordLists& lists = session.lists();
    WarnUnreadable(context, step.Open(lists.functions, &lists.sourceFiles, session.mainSource()));
    for (std::size_t row = 0; row < step.rows().size(); ++row) {
        const std::string& state = step.rows().Text(row, kColumnState);
        if (action == FunctionAction::Unsubstitute) {
            if (state == texts::kStateReplace) step.Revert(row);
            continue;
        }
        // Calls already substituted, and substitute calls the record does not know, stay.
        const std::string& call = step.rows().Text(row, kColumnType);
        if (!state.empty() || call.empty()) continue;
        if (auto pair = pairs.find(gbk::ToLower(call)); pair != pairs.end()) {
            step.Pair(row, pair->second);
        } else if (options.catalogue) {
            if (std::optional<std::size_t> entry = FindExactSubstitute(step.catalogue(), call))
                step.Pair(row, CatalogueEntryName(step.catalogue()[*entry]));
        }
    }
    return Finish(context, session,
                  step.Accept(lists.functions, lists.constants, lists.sourceFiles));
}

int ShowProject(CliContext& context, const ProjectOptions& options) {
    ProjectSession session(context);
    if (Status loaded = session.Load(options, false); !loaded)
        return context.Refuse(context.ToUser(loaded.error().message));
    const ProjectSettings& settings = session.settings();
    const std::int32_t base = BaseLanguage(settings.languageIndex);
    const std::string languageName =
        base >= 0 ? LanguageNames()[static_cast<std::size_t>(base)] : std::string();
    context.PrintRow({"P", "company", settings.company});
    context.PrintRow({"P", "product", settings.product});
    context.PrintRow({"P", "language", std::to_string(settings.languageIndex), languageName});
    context.PrintRow({"P", "main", settings.mainSourceFile});
    context.PrintRow({"P", "application", settings.applicationFile});
    context.PrintRow({"P", "record", session.recordPath(), session.recordRead()});
    RecordLists& lists = session.lists();
    for (const std::string& source : lists.sourceFiles) context.PrintRow({"S", source});
    auto printRows = [&context](const char* tag, const RowList& rows) {
        for (const Row& row : rows.rows()) {
            std::vector<std::string> columns{tag};
            columns.insert(columns.end(), row.columns.begin(), row.columns.end());
            context.PrintRow(columns);
        }
    };
    printRows("C", lists.constants);
    printRows("F", lists.functions);
    return context.exitCode;
}

std::shared_ptr<ProjectOptions> AddProjectOptions(CLI::App& command) {
    auto options = std::make_shared<ProjectOptions>();
    command.add_option("--company", options->company,
                       "The project's company identifier (default: the last saved project's)");
    command.add_option("--product", options->product,
                       "The project's product identifier (default: the last saved project's)");
    return options;
}

void AddSourceOption(CLI::App& command, ProjectOptions& options) {
    command.add_option("--source", options.sources,
                       "A source file to add to the project's source-file list first (as the "
                       "window's add button does; repeatable); the list is kept in the record");
}

}  // namespace

void RegisterProjectCommands(CLI::App& app, CliContext& context) {
    CLI::App* project = app.add_subcommand(
        "project",
        "The two workflow steps on a saved project, for scripts and build pipelines. The project "
        "is the one the settings file names (its \"Common Data\"), or --company/--product. Each "
        "step scans the main source file and the project's source files, merges the record file "
        "and carries the result into the sources as the step dialogs' OK does (each changed file "
        "backed up to FILE~), then writes the record file beside the application file and its "
        "copy beside the main source file. Changed files are printed; files that could not be "
        "written are named on standard error and the exit status is 1; a refused step (a record "
        "that cannot be read or could not hold the rows) changes nothing and exits with 2");
    project->require_subcommand(1, 1);

    CLI::App* show = project->add_subcommand(
        "show",
        "Prints the project: P rows for its settings (company, product, language index and "
        "name, main source file, application file, record file and the file the record was "
        "read from), S and each source file, C and the five columns of each recorded constant "
        "(index, type, value, file, position), F and the five columns of each recorded "
        "substitution (number, call, substitute, file, position)");
    auto showOptions = AddProjectOptions(*show);
    show->callback([&context, showOptions] { ShowProject(context, *showOptions); });

    CLI::App* protect = project->add_subcommand(
        "protect",
        "Replaces every listed constant (every row without a state) by its accessor call "
        "GetValueStr(n) / GetValueInt(n), keeping the literal in a trailing comment; accessor "
        "calls the record does not know are left alone");
    auto protectOptions = AddProjectOptions(*protect);
    AddSourceOption(*protect, *protectOptions);
    protect->callback([&context, protectOptions] {
        RunConstantStep(context, *protectOptions, ConstantAction::Protect);
    });

    CLI::App* restore = project->add_subcommand(
        "restore", "Takes every recorded constant back: the literals return, the comments go");
    auto restoreOptions = AddProjectOptions(*restore);
    restore->callback([&context, restoreOptions] {
        RunConstantStep(context, *restoreOptions, ConstantAction::Restore);
    });

    CLI::App* substitute = project->add_subcommand(
        "substitute",
        "Substitutes calls that are not substituted yet: a call named NAME by SUBSTITUTE for "
        "each --pair (names compared without regard to case), and with --catalogue every other "
        "call whose name followed by _kx is exactly the name of a catalogue entry (case, a "
        "leading :: and a leading _ of the call not counting). The window's looser proposal (an "
        "entry that merely contains the call's name) is never applied in bulk");
    auto substituteOptions = AddProjectOptions(*substitute);
    substitute->add_option("--pair", substituteOptions->pairs,
                           "NAME=SUBSTITUTE: substitute calls of NAME (repeatable)");
    substitute->add_flag("--catalogue", substituteOptions->catalogue,
                         "Substitute calls named exactly after a catalogue entry (without _kx)");
    AddSourceOption(*substitute, *substituteOptions);
    substitute->callback([&context, substituteOptions] {
        RunFunctionStep(context, *substituteOptions, FunctionAction::Substitute);
    });

    CLI::App* unsubstitute = project->add_subcommand(
        "unsubstitute", "Takes every recorded substitution back: the original calls return");
    auto unsubstituteOptions = AddProjectOptions(*unsubstitute);
    unsubstitute->callback([&context, unsubstituteOptions] {
        RunFunctionStep(context, *unsubstituteOptions, FunctionAction::Unsubstitute);
    });
}

}  // namespace korvexer::cli
