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
#include "core/app/project_settings.h"
#include "core/app/workbench.h"
#include "core/constants/constant_step.h"
#include "core/functions/function_catalogue.h"
#include "core/functions/function_step.h"
#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/platform/forwarding_file_system.h"
#include "core/platform/gbk_text.h"
#include "core/platform/text_trim.h"
#include "core/record/record_file.h"
#include "core/scanner/file_encodings.h"
#include "core/steps/calls_left.h"

namespace korvexer::cli {

namespace {

// The options every project command takes.
struct ProjectOptions {
    std::string company;  // empty: the last saved project's, from "Common Data"
    std::string product;
    std::vector<std::string> sources;  // files to add to the source-file list first
    std::vector<std::string> pairs;    // NAME=SUBSTITUTE
    bool catalogue = false;
    bool unknown = false;  // the take-backs: also the calls the record does not know
};

// The file system as the settings file sees it here: readable, never written. The window's model
// stores the recent products when another project is loaded; a script that runs a step should not
// change the settings the window starts with.
class ReadOnlyFileSystem : public ForwardingFileSystem {
public:
    explicit ReadOnlyFileSystem(FileSystem& real) : ForwardingFileSystem(real) {}

    Expected<std::unique_ptr<OutputFile>> CreateTemporary(const std::string& directory,
                                                          const std::string&) override {
        return Refused(directory);
    }
    Expected<std::unique_ptr<OutputFile>> OpenForOverwrite(const std::string& path) override {
        return Refused(path);
    }
    Status SetPermissions(const std::string& path, std::uint32_t) override { return Refused(path); }
    Status Rename(const std::string&, const std::string& to) override { return Refused(to); }
    Status Remove(const std::string& path) override { return Refused(path); }
    Status SyncDirectory(const std::string& directory) override { return Refused(directory); }
    Status CreateDirectories(const std::string& directory) override { return Refused(directory); }

private:
    static Error Refused(const std::string& path) {
        return Error{"the project commands leave the settings file as it is", path};
    }
};

// A path as a shell reads it back: in single quotes when it holds anything but plain bytes.
std::string Quoted(const std::string& path) {
    if (path.find_first_not_of(
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._-:") ==
        std::string::npos)
        return path;
    std::string quoted = "'";
    for (char byte : path) quoted += byte == '\'' ? std::string("'\\''") : std::string(1, byte);
    return quoted + "'";
}

// A saved project as the main window holds it: the window's model, loaded as the window loads it
// at start-up (or, for --company/--product, as its refresh button loads another project).
class ProjectSession {
public:
    explicit ProjectSession(CliContext& context) : m_context(context), m_settingsFs(context.fs()) {}

    // Loads the project, its language and its record file (beside the application file, else the
    // copy beside the main source file). For a step, a project without a main source file or
    // application file, or a record file that exists but cannot be read, is refused: writing the
    // record afterwards would lose what it holds. Otherwise such a record is named in a warning
    // and the lists stay empty.
    Status Load(const ProjectOptions& options, bool forSteps, bool forRebase = false) {
        Expected<ProfileStore> store = m_context.Settings();
        if (!store) return store.error();
        m_store.emplace(m_settingsFs, store->path());
        m_workbench = std::make_unique<Workbench>(m_context.fs(), *m_store);
        m_workbench->Initialise();
        if (!options.company.empty() || !options.product.empty()) {
            Expected<std::string> company = m_context.FromUser(options.company);
            Expected<std::string> product = m_context.FromUser(options.product);
            if (!company || !product) return Error{"--company or --product has no GBK form", {}};
            WorkbenchForm form = m_workbench->Form();
            if (!company->empty()) form.company = *company;
            if (!product->empty()) form.product = *product;
            WorkbenchOutcome refreshed = m_workbench->Refresh(form);
            if (!refreshed.completed)
                return Error{refreshed.message ? refreshed.message->text : "no such project", {}};
        }
        const ProjectSettings& settings = m_workbench->settings();
        if (settings.company.empty() || m_workbench->Form().product.empty())
            return Error{
                "no project: the settings file names no saved project; give --company "
                "and --product",
                {}};
        if (forSteps && TrimLeadingBlanks(settings.mainSourceFile).empty())
            return Error{
                "the project has no main source file (MainPrgFile); save it in the "
                "window first",
                {}};
        if (settings.applicationFile.empty()) {
            if (forSteps)
                return Error{
                    "the project has no application file (Application), so it has no "
                    "record file; save it in the window first",
                    {}};
            return Status::Ok();
        }
        m_recordPath = RecordFilePath(settings.applicationFile);
        Status readable = CheckRecordReadable();
        if (!readable && !forSteps) {
            // Showing writes nothing: say what is wrong and show the settings all the same.
            m_context.Warn(m_context.ToUser(readable.error().message));
            return Status::Ok();
        }
        if (!readable) return readable;
        if (std::optional<ProjectMove> move = m_workbench->ProjectMoved(); move && !forRebase) {
            const std::string moved = "the record's files lie under " + move->recordFolder +
                                      ", not under the project's folder " + move->projectFolder +
                                      ": the project was moved or copied";
            const std::string rebase = "korvexer-cli project rebase " + Quoted(move->recordFolder) +
                                       " " + Quoted(move->projectFolder);
            if (forSteps)
                return Error{moved +
                                 "; a step would rewrite the files there, so nothing was "
                                 "changed: run `" +
                                 rebase + "` first",
                             {}};
            m_context.Warn(m_context.ToUser(moved + "; `" + rebase +
                                            "` makes the record name the project's own files"));
        }
        return Status::Ok();
    }

    Workbench& workbench() { return *m_workbench; }
    const std::string& recordPath() const { return m_recordPath; }
    const std::string& recordRead() const { return m_recordRead; }
    const std::vector<std::string>& sourceFiles() const {
        return m_workbench->sourceFiles().entries();
    }

    // Adds files to the source-file list as the window's add button does.
    void AddSources(const std::vector<std::string>& userPaths) {
        std::vector<std::string> paths;
        for (const std::string& userPath : userPaths) {
            Expected<std::string> path = m_context.FromUser(userPath);
            if (path)
                paths.push_back(std::move(*path));
            else
                m_context.Warn(userPath + " has no GBK form; it was not added");
        }
        WorkbenchOutcome added = m_workbench->AddSourceFiles(paths);
        if (added.message)
            m_context.Warn(
                "some --source files were not added: they are listed already or are "
                "the runtime library's own files");
    }

    // Writes the record file and its copy beside the main source file, as the window does after
    // a step. False (with the reason on standard error and exit status 1) when the record could
    // not be written.
    bool SaveRecord() {
        WorkbenchOutcome saved = m_workbench->SaveRecordAfterStep();
        if (saved.completed) return true;
        m_context.err() << "korvexer-cli: "
                        << m_context.ToUser(saved.message ? saved.message->text : m_recordPath)
                        << '\n';
        m_context.exitCode = kExitFilesFailed;
        return false;
    }

private:
    // The window reads the record beside the application file, else its copy beside the main
    // source file, and starts with empty lists when neither can be read. That is right for a
    // project without replacements yet (no record anywhere), but a record that exists and cannot
    // be read would be overwritten with less than it holds.
    Status CheckRecordReadable() {
        const RecordReadReport& read = m_workbench->recordRead();
        m_recordRead = read.source;
        if (!read.source.empty()) return Status::Ok();
        if (read.result == RecordReadResult::Missing &&
            read.copyResult == RecordReadResult::Missing)
            return Status::Ok();  // a project without replacements yet
        return Error{"the record file " + m_recordPath + " exists but cannot be read (result " +
                         std::to_string(static_cast<int>(read.result)) +
                         "); nothing was changed, so that what it holds is not lost",
                     {}};
    }

    CliContext& m_context;
    ReadOnlyFileSystem m_settingsFs;
    std::optional<ProfileStore> m_store;
    std::unique_ptr<Workbench> m_workbench;
    std::string m_recordPath;
    std::string m_recordRead;  // the file the lists came from; "" when none was read
};

const char* ReasonWords(RowSkipReason reason, ListKind kind) {
    switch (reason) {
        case RowSkipReason::FileUnreadable:
            return "its file cannot be read";
        case RowSkipReason::FileNotWritten:
            return "its file could not be written";
        case RowSkipReason::TextNotThere:
            return kind == ListKind::Constants
                       ? "its position does not hold the listed text (the line was changed, or the "
                         "value is not written there as listed, as a hexadecimal one is not)"
                       : "its position does not hold the listed call (the line was changed)";
        case RowSkipReason::KeyTaken:
            return kind == ListKind::Constants ? "an earlier row has the same index"
                                               : "an earlier row has the same number";
        case RowSkipReason::PlaceTaken:
            return "another row stands at the same position";
    }
    return "";
}

// One line on standard error for each row that the rewrite left as it stood; exit status 1.
void NameRowsLeft(CliContext& context, const RowList& rows, ListKind kind,
                  const ApplyOutcome& outcome) {
    FileEncodings encodings(context.fs(), SourceEncoding::Automatic);
    for (const SkippedRow& skipped : outcome.skippedRows) {
        const TextEncoding encoding = encodings.Of(skipped.file);
        std::string what;
        if (kind == ListKind::Constants) {
            what = "constant " + rows.Text(skipped.row, kStepKey) + " (" +
                   context.ToUser(rows.Text(skipped.row, kStepValue), encoding) + ")";
        } else {
            what = "call " + context.ToUser(rows.Text(skipped.row, kStepName), encoding) + " -> " +
                   context.ToUser(rows.Text(skipped.row, kStepValue), encoding);
        }
        context.err() << "korvexer-cli: " << context.ToUser(skipped.file) << ':' << skipped.position
                      << ": " << what << " was not "
                      << (skipped.applying ? "applied" : "taken back") << ": "
                      << ReasonWords(skipped.reason, kind) << " (" << RowSkipName(skipped.reason)
                      << "); it stays in the record\n";
    }
    if (!outcome.skippedRows.empty()) context.exitCode = kExitFilesFailed;
}

// Reports what OK did: changed files on standard output, unreadable ones as warnings, files that
// could not be written and rows left as they stood on standard error (exit status 1); then writes
// the record.
int Finish(CliContext& context, ProjectSession& session, const StepAcceptOutcome& outcome,
           const RowList& rows, ListKind kind) {
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
    NameRowsLeft(context, rows, kind, outcome.files);
    session.SaveRecord();
    return context.exitCode;
}

// After a take-back of everything: names each accessor or substitute call that a scan still finds
// in the project's sources, so that the take-back is never reported complete while one is left
// (exit status 1).
void NameCallsLeft(CliContext& context, ProjectSession& session, ListKind kind,
                   const std::string& mainSourceFile) {
    Workbench& workbench = session.workbench();
    const std::vector<CallLeft> left =
        CallsLeft(context.fs(), workbench.language(), kind, session.sourceFiles(), mainSourceFile);
    for (const CallLeft& call : left)
        context.err() << "korvexer-cli: " << context.ToUser(call.file) << ':' << call.position
                      << ": " << context.ToUser(call.call) << " is still in the source\n";
    if (left.empty()) return;
    context.err() << "korvexer-cli: the take-back is not complete: " << left.size()
                  << (kind == ListKind::Constants ? " accessor" : " substitute")
                  << " call(s) are left in the sources; `project "
                  << (kind == ListKind::Constants ? "restore" : "unsubstitute")
                  << " --unknown` takes back those whose comment holds the "
                  << (kind == ListKind::Constants ? "literal" : "name") << "\n";
    context.exitCode = kExitFilesFailed;
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
    Workbench& workbench = session.workbench();
    const auto counter = static_cast<std::uint32_t>(workbench.PrepareConstantStep());
    ConstantStep step(context.fs(), workbench.language(), Clock::System());
    WarnUnreadable(context,
                   step.Open(workbench.constants(), &session.sourceFiles(),
                             TrimLeadingBlanks(workbench.settings().mainSourceFile), counter));
    if (action == ConstantAction::Protect) {
        step.ReplaceAll();
    } else {
        step.RevertAll();
        if (options.unknown) step.RevertUnknown();
    }
    const StepAcceptOutcome outcome =
        step.Accept(workbench.constants(), workbench.functions(), session.sourceFiles());
    Finish(context, session, outcome, step.rows(), ListKind::Constants);
    if (outcome.accepted && action == ConstantAction::Restore)
        NameCallsLeft(context, session, ListKind::Constants,
                      TrimLeadingBlanks(workbench.settings().mainSourceFile));
    return context.exitCode;
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
    Workbench& workbench = session.workbench();
    FunctionStep step(context.fs(), workbench.language());
    WarnUnreadable(context, step.Open(workbench.functions(), &session.sourceFiles(),
                                      workbench.settings().mainSourceFile));
    for (std::size_t row = 0; row < step.rows().size(); ++row) {
        const std::string& state = step.rows().Text(row, kStepState);
        if (action == FunctionAction::Unsubstitute) {
            if (state == texts::kStateReplace) step.Revert(row);
            continue;
        }
        // Calls already substituted, and substitute calls the record does not know, stay.
        const std::string& call = step.rows().Text(row, kStepName);
        if (!state.empty() || call.empty()) continue;
        if (auto pair = pairs.find(gbk::ToLower(call)); pair != pairs.end()) {
            step.Pair(row, pair->second);
        } else if (options.catalogue) {
            if (std::optional<std::size_t> entry = FindExactSubstitute(step.catalogue(), call))
                step.Pair(row, CatalogueEntryName(step.catalogue()[*entry]));
        }
    }
    if (action == FunctionAction::Unsubstitute && options.unknown) step.RevertUnknown();
    const StepAcceptOutcome outcome =
        step.Accept(workbench.functions(), workbench.constants(), session.sourceFiles());
    Finish(context, session, outcome, step.rows(), ListKind::Functions);
    if (outcome.accepted && action == FunctionAction::Unsubstitute)
        NameCallsLeft(context, session, ListKind::Functions, workbench.settings().mainSourceFile);
    return context.exitCode;
}

int RebaseProject(CliContext& context, const ProjectOptions& options, const std::string& userFrom,
                  const std::string& userTo) {
    Expected<std::string> from = context.FromUser(userFrom);
    Expected<std::string> to = context.FromUser(userTo);
    if (!from || !to) return context.Refuse("OLD or NEW has no GBK form");
    ProjectSession session(context);
    if (Status loaded = session.Load(options, true, true); !loaded)
        return context.Refuse(context.ToUser(loaded.error().message));
    Workbench& workbench = session.workbench();
    RowList constants = workbench.constants();
    RowList functions = workbench.functions();
    std::vector<std::string> sources = session.sourceFiles();
    const std::size_t count = RebasePaths(constants, functions, sources, *from, *to);
    if (count == 0)
        return context.Refuse("no path of the record lies under " + userFrom +
                              "; nothing was changed");
    WorkbenchOutcome rebased = workbench.RebaseRecord(*from, *to);
    if (!rebased.completed) {
        context.err() << "korvexer-cli: the record could not be written: "
                      << context.ToUser(rebased.message ? rebased.message->text : "") << '\n';
        context.exitCode = kExitFilesFailed;
        return context.exitCode;
    }
    context.out() << count << " path(s) of the record now lie under " << userTo << '\n';
    return context.exitCode;
}

int ShowProject(CliContext& context, const ProjectOptions& options) {
    ProjectSession session(context);
    if (Status loaded = session.Load(options, false); !loaded)
        return context.Refuse(context.ToUser(loaded.error().message));
    Workbench& workbench = session.workbench();
    const ProjectSettings& settings = workbench.settings();
    const std::int32_t base = BaseLanguage(settings.languageIndex);
    const std::string languageName =
        base >= 0 ? LanguageNames()[static_cast<std::size_t>(base)] : std::string();
    context.PrintRow({"P", "company", settings.company});
    context.PrintRow({"P", "product", workbench.Form().product});
    context.PrintRow({"P", "language", std::to_string(settings.languageIndex), languageName});
    context.PrintRow({"P", "main", settings.mainSourceFile});
    context.PrintRow({"P", "application", settings.applicationFile});
    context.PrintRow({"P", "record", session.recordPath(), session.recordRead()});
    for (const std::string& source : session.sourceFiles()) context.PrintRow({"S", source});
    auto printRows = [&context](const char* tag, const RowList& rows) {
        for (const Row& row : rows.rows()) {
            std::vector<std::string> columns{tag};
            columns.insert(columns.end(), row.columns.begin(), row.columns.end());
            context.PrintRow(columns);
        }
    };
    printRows("C", workbench.constants());
    printRows("F", workbench.functions());
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

void AddUnknownOption(CLI::App& command, ProjectOptions& options, const std::string& calls,
                      const std::string& text) {
    command.add_flag("--unknown", options.unknown,
                     "Also take back the " + calls +
                         " that the record does not know (the rows shown as unknown), with the " +
                         text +
                         " from their trailing comment; a call whose comment does not "
                         "plainly hold it is left alone");
}

}  // namespace

void RegisterProjectCommands(CLI::App& app, CliContext& context) {
    CLI::App* project = app.add_subcommand(
        "project",
        "The two workflow steps on a saved project, for scripts and build pipelines. The project "
        "is the one the settings file names (its \"Common Data\"), or --company/--product; the "
        "settings file is only read. Each step scans the main source file and the project's source "
        "files, merges the record file "
        "and carries the result into the sources as the step dialogs' OK does (each changed file "
        "backed up to FILE~), then writes the record file beside the application file and its "
        "copy beside the main source file. Changed files are printed; files that could not be "
        "written, and rows that could not be applied or taken back (their file unreadable, their "
        "text not at their position), are named on standard error, one line each, and the exit "
        "status is 1 (such rows stay in the record); a refused step (a record that cannot be read "
        "or could not hold the rows) changes nothing and exits with 2");
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
        "restore",
        "Takes every recorded constant back: the literals return, the comments go. Accessor calls "
        "that a scan still finds afterwards are named on standard error and the exit status is 1");
    auto restoreOptions = AddProjectOptions(*restore);
    AddUnknownOption(*restore, *restoreOptions, "accessor calls", "literal");
    restore->callback([&context, restoreOptions] {
        RunConstantStep(context, *restoreOptions, ConstantAction::Restore);
    });

    CLI::App* rebase = project->add_subcommand(
        "rebase",
        "Rewrites the record's paths (of its constants, its substitutions and its source-file "
        "list) that lie under the folder OLD to lie under NEW instead, and writes the record. For "
        "a project that was moved or copied: until its record is rebased, the steps refuse to "
        "run, since they would rewrite the files where the project lay before");
    auto rebaseOptions = AddProjectOptions(*rebase);
    auto rebaseFolders = std::make_shared<std::vector<std::string>>();
    rebase
        ->add_option("OLD NEW", *rebaseFolders, "The folder the record names, and where it is now")
        ->expected(2)
        ->required();
    rebase->callback([&context, rebaseOptions, rebaseFolders] {
        RebaseProject(context, *rebaseOptions, (*rebaseFolders)[0], (*rebaseFolders)[1]);
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
        "unsubstitute",
        "Takes every recorded substitution back: the original calls return. Substitute calls "
        "that a scan still finds afterwards are named on standard error and the exit status is 1");
    auto unsubstituteOptions = AddProjectOptions(*unsubstitute);
    AddUnknownOption(*unsubstitute, *unsubstituteOptions, "_kx calls", "original name");
    unsubstitute->callback([&context, unsubstituteOptions] {
        RunFunctionStep(context, *unsubstituteOptions, FunctionAction::Unsubstitute);
    });
}

}  // namespace korvexer::cli
