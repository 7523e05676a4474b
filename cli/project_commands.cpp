// SPDX-License-Identifier: MIT
// korvexer-cli project: the two workflow steps run on a saved project, without the window.
#include "cli/commands.h"

#include <cstdint>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "cli/core_messages.h"
#include "cli/error_text.h"
#include "cli/file_arguments.h"
#include "cli/file_texts.h"
#include "cli/project_check.h"
#include "cli/row_json.h"
#include "cli/row_selection.h"
#include "cli/rows_file.h"
#include "cli/step_report.h"
#include "core/app/project_settings.h"
#include "core/app/workbench.h"
#include "core/constants/constant_step.h"
#include "core/functions/function_catalogue.h"
#include "core/functions/function_step.h"
#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/platform/forwarding_file_system.h"
#include "core/platform/gbk_text.h"
#include "core/platform/path_case.h"
#include "core/platform/text_trim.h"
#include "core/record/record_file.h"
#include "core/scanner/file_encodings.h"
#include "core/steps/accept_step.h"
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
    FileListOptions sourceList;  // --files-from: more files to add
    SelectionOptions selection;
    bool dryRun = false;
    bool catalogueAll = false;   // --catalogue-all: also the entries of other argument types
    bool anySubstitute = false;  // --any-substitute: a --pair may name what the catalogue lacks
    std::string mode;            // project scan: constants or calls
    bool strict = false;         // project check --strict
    std::string file;            // project source remove FILE
    bool unknown = false;        // the take-backs: also the calls the record does not know
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
    // and the lists stay empty. A record of a moved project (Workbench::ProjectMoved) refuses a
    // step, and is named in a warning otherwise, unless `forRebase`.
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
                return Error{"no project: give both --company and --product", {}};
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
                                 "; its rows would act on the files there, so nothing was "
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

    // Adds the --source files (folders walked for the language's suffixes, --files-from) to the
    // source-file list as the window's add button does. Fails on a file that cannot be read
    // (unless --keep-going) and on a name without a GBK form.
    Status AddSources(const ProjectOptions& options) {
        Expected<std::vector<std::string>> paths =
            ExpandFileArguments(m_context, options.sources, options.sourceList,
                                m_workbench->language().filesubfix, std::cin);
        if (!paths) return paths.error();
        // The window's file dialog gives full paths; so does this, so that the list does not
        // depend on the folder a script runs in.
        for (std::string& path : *paths) path = AbsolutePath(path);
        WorkbenchOutcome added = m_workbench->AddSourceFiles(*paths);
        if (added.message)
            m_context.Warn(
                "some --source files were not added: they are listed already or are "
                "the runtime library's own files");
        return Status::Ok();
    }

    // Writes the record file and its copy beside the main source file, as the window does after
    // a step. False (with the reason on standard error and exit status 1) when the record could
    // not be written.
    bool SaveRecord() {
        WorkbenchOutcome saved = m_workbench->SaveRecordAfterStep();
        if (saved.completed) return true;
        m_context.err() << "korvexer-cli: "
                        << (saved.message ? RecordNotWrittenMessage(m_context, *saved.message)
                                          : "the record file " + m_context.ToUser(m_recordPath) +
                                                " could not be written")
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

// Fails on a substitute that is not the name of a catalogue entry, unless --any-substitute.
Status CheckSubstitute(CliContext& context, const ProjectOptions& options,
                       const std::vector<std::string>& catalogue, const std::string& substitute) {
    if (options.anySubstitute) return Status::Ok();
    std::string nearest;
    for (const std::string& entry : catalogue) {
        const std::string name = CatalogueEntryName(entry);
        if (name == substitute) return Status::Ok();
        if (gbk::EqualsNoCase(name, substitute)) nearest = name;
    }
    return Error{context.ToUser(substitute) + " is no entry of the catalogue" +
                     (nearest.empty() ? std::string() : " (did you mean " + nearest + "?)") +
                     "; give --any-substitute to use it all the same",
                 {}};
}

// project scan: the step's rows after the merge with the record that the selection chooses, each
// text in its file's encoding.
int PrintStepRows(CliContext& context, const RowList& rows, ListKind kind,
                  const RowSelection& selection, FileEncodings& files) {
    const CliContext::FileTextColumns texts = StepRowTexts(kind);
    for (std::size_t row : SelectedRows(rows, selection, files)) {
        const TextEncoding encoding = files.Of(rows.Text(row, kStepFile));
        if (context.Json())
            context.out() << StepRowJson(rows[row].columns, kind, encoding).Line();
        else
            context.PrintRow(rows[row].columns,
                             ColumnEncodings(texts, rows[row].columns.size(), encoding));
    }
    return context.exitCode;
}

// Whether the selection options choose every row: none of them given.
bool ChoosesAll(const SelectionOptions& selection) {
    return selection.files.empty() && selection.excludes.empty() && !selection.strings &&
           !selection.numbers && selection.values.empty() && selection.excludeValues.empty() &&
           selection.rowsFile.empty();
}

// Loads the project for a step and adds the --source files; false after refusing.
bool PrepareStep(CliContext& context, ProjectSession& session, const ProjectOptions& options) {
    Status loaded = session.Load(options, true);
    if (loaded) loaded = session.AddSources(options);
    if (loaded) return true;
    context.Refuse(context.ToUser(loaded.error().message));
    return false;
}

// The project's files that could not be read: a refusal, unless --keep-going makes each a
// warning. False after refusing.
bool AcceptUnreadable(CliContext& context, const std::vector<Error>& unreadable) {
    for (const Error& error : unreadable) {
        const std::string what =
            context.ToUser(error.path) + " cannot be read (" + context.ToUser(error.message) + ")";
        if (!context.keepGoing) {
            context.Refuse(what + "; nothing was changed (give --keep-going to go on without it)");
            return false;
        }
        context.Warn(what + "; it was not scanned");
    }
    return true;
}

// The selection options made usable; nothing after refusing.
std::optional<RowSelection> MakeSelection(CliContext& context, const ProjectOptions& options,
                                          ListKind kind) {
    Expected<RowSelection> selection = RowSelection::Make(options.selection, context, kind);
    if (!selection) {
        context.Refuse(selection.error().message);
        return std::nullopt;
    }
    return std::move(*selection);
}

// The rows of --rows matched to the step's rows; nothing after refusing.
std::optional<std::vector<std::pair<std::size_t, std::vector<std::string>>>> GivenRows(
    CliContext& context, const ProjectOptions& options, const RowList& rows, ListKind kind,
    const RowSelection& selection, FileEncodings& files) {
    Expected<StepRows> given = ReadRowsFile(context, options.selection.rowsFile, kind, files);
    if (!given) {
        context.Refuse(given.error().message);
        return std::nullopt;
    }
    auto matched = MatchGivenRows(context, rows, *given, selection, files);
    if (!matched) {
        context.Refuse(matched.error().message);
        return std::nullopt;
    }
    return std::move(*matched);
}

// After a take-back: names each accessor or substitute call that a scan still finds in the
// project's sources, so that the take-back is never reported complete while one is left (exit
// status 1).
void NameCallsLeft(CliContext& context, ProjectSession& session, ListKind kind) {
    Workbench& workbench = session.workbench();
    const std::vector<CallLeft> left =
        CallsLeft(context.fs(), workbench.language(), kind, session.sourceFiles(),
                  std::string(TrimLeadingBlanks(workbench.settings().mainSourceFile)),
                  workbench.settings().sourceEncoding);
    if (left.empty()) return;
    FileEncodings files(context.fs(), workbench.settings().sourceEncoding);
    for (const CallLeft& call : left) {
        const TextEncoding encoding = files.Of(call.file);
        if (context.Json()) {
            const RowPosition place = ParseRowPosition(call.position);
            context.out() << JsonObject()
                                 .Text("kind", "call-left")
                                 .Text("call", call.call, encoding)
                                 .Text("file", call.file)
                                 .Number("line", place.line)
                                 .Number("column", static_cast<std::int64_t>(place.column))
                                 .Line();
        }
        context.err() << "korvexer-cli: " << context.ToUser(call.file) << ':' << call.position
                      << ": " << context.ToUser(call.call, encoding) << " is still in the source\n";
    }
    const bool constants = kind == ListKind::Constants;
    context.err() << "korvexer-cli: the take-back is not complete: " << left.size()
                  << (constants ? " accessor" : " substitute")
                  << " call(s) are left in the sources; `project "
                  << (constants ? "restore" : "unsubstitute")
                  << " --unknown` takes back those whose comment holds the "
                  << (constants ? "literal" : "name") << "\n";
    context.exitCode = kExitFilesFailed;
}

// The OK of a step, or on --dry-run its plan: refused in English when the record cannot hold the
// selection or the rewrite refuses; else the result reported, and after a real run the record
// written. `before` are the step's rows as they were opened. After a take-back of every row
// (`takesAllBack`) the calls still in the sources are named.
template <typename Step>
int FinishStep(CliContext& context, ProjectSession& session, const ProjectOptions& options,
               Step& step, ListKind kind, const RowList& before, StepSummary summary,
               bool takesAllBack = false) {
    Workbench& workbench = session.workbench();
    const bool constants = kind == ListKind::Constants;
    RowList& mainList = constants ? workbench.constants() : workbench.functions();
    const RowList& otherList = constants ? workbench.functions() : workbench.constants();
    summary.keepsRecord = true;
    if (options.dryRun) {
        StepPlanOutcome plan = step.Plan(otherList, session.sourceFiles());
        if (!plan.limits.fits())
            return context.Refuse(RecordLimitMessage(context, plan.limits, step.rows()));
        if (!plan.accepted)
            return context.Refuse(plan.rewriteRefusal ? context.ToUser(plan.rewriteRefusal->message)
                                                      : "the step was refused");
        summary.rows =
            CountRowChanges(before, step.rows(), FilesNotWritten(plan.plan), plan.plan.skippedRows);
        ReportPlanned(context, plan.plan, step.rows(), kind, summary,
                      workbench.settings().sourceEncoding);
        return context.exitCode;
    }
    const RecordLimitCheck limits =
        MeasureRecordLimits(step.rows(), kind, step.WouldBe(otherList, session.sourceFiles()));
    if (!limits.fits()) return context.Refuse(RecordLimitMessage(context, limits, step.rows()));
    StepAcceptOutcome outcome = step.Accept(mainList, otherList, session.sourceFiles());
    if (!outcome.accepted) return context.Refuse(StepRefusalMessage(context, outcome));
    summary.rows = CountRowChanges(before, step.rows(), FilesNotWritten(outcome.files),
                                   outcome.files.skippedRows);
    ReportApplied(context, outcome.files, step.rows(), kind, summary,
                  workbench.settings().sourceEncoding);
    session.SaveRecord();
    if (takesAllBack) NameCallsLeft(context, session, kind);
    return context.exitCode;
}

enum class ConstantAction { Protect, Restore, Scan };

int RunConstantStep(CliContext& context, const ProjectOptions& options, ConstantAction action) {
    std::optional<RowSelection> selection = MakeSelection(context, options, ListKind::Constants);
    if (!selection) return context.exitCode;
    ProjectSession session(context);
    if (!PrepareStep(context, session, options)) return context.exitCode;
    Workbench& workbench = session.workbench();
    const auto counter = static_cast<std::uint32_t>(workbench.PrepareConstantStep());
    ConstantStep step(context.fs(), workbench.language(), Clock::System());
    step.SetSourceEncoding(workbench.settings().sourceEncoding);
    if (!AcceptUnreadable(
            context, step.Open(workbench.constants(), &session.sourceFiles(),
                               TrimLeadingBlanks(workbench.settings().mainSourceFile), counter)))
        return context.exitCode;
    FileEncodings files(context.fs(), workbench.settings().sourceEncoding);
    if (action == ConstantAction::Scan)
        return PrintStepRows(context, step.rows(), ListKind::Constants, *selection, files);

    const RowList before = step.rows();
    if (!options.selection.rowsFile.empty()) {
        auto given =
            GivenRows(context, options, step.rows(), ListKind::Constants, *selection, files);
        if (!given) return context.exitCode;
        for (const auto& [row, columns] : *given) {
            if (columns[kStepState] == texts::kStateReplace)
                step.Replace({row});
            else if (columns[kStepState].empty())
                step.Revert({row});
        }
    } else {
        for (std::size_t row : SelectedRows(step.rows(), *selection, files)) {
            const std::string& state = step.rows().Text(row, kStepState);
            if (action == ConstantAction::Protect && state.empty()) step.Replace({row});
            if (action == ConstantAction::Restore &&
                (state == texts::kStateReplace ||
                 (options.unknown && state == texts::kStateUnknown)))
                step.Revert({row});
        }
    }
    StepSummary summary;
    summary.command = action == ConstantAction::Protect ? "protect" : "restore";
    return FinishStep(context, session, options, step, ListKind::Constants, before, summary,
                      action == ConstantAction::Restore && ChoosesAll(options.selection));
}

// The substitute of each --pair by lower-cased call name; nothing after refusing a malformed pair
// or a substitute that is not a catalogue entry (unless --any-substitute).
std::optional<std::map<std::string, std::string>> ParsePairs(
    CliContext& context, const ProjectOptions& options, const std::vector<std::string>& catalogue) {
    std::map<std::string, std::string> pairs;
    for (const std::string& pair : options.pairs) {
        const std::size_t equals = pair.find('=');
        Expected<std::string> text = context.FromUser(pair);
        if (equals == std::string::npos || equals == 0 || equals + 1 == pair.size() || !text) {
            context.Refuse("--pair must be NAME=SUBSTITUTE, not \"" + pair + "\"");
            return std::nullopt;
        }
        const std::size_t gbkEquals = text->find('=');
        const std::string substitute = text->substr(gbkEquals + 1);
        if (Status known = CheckSubstitute(context, options, catalogue, substitute); !known) {
            context.Refuse("--pair " + pair + ": " + known.error().message);
            return std::nullopt;
        }
        pairs[gbk::ToLower(text->substr(0, gbkEquals))] = substitute;
    }
    return pairs;
}

enum class FunctionAction { Substitute, Unsubstitute, Scan };

int RunFunctionStep(CliContext& context, const ProjectOptions& options, FunctionAction action) {
    const std::vector<std::string> catalogue = SortedCatalogue();
    std::optional<std::map<std::string, std::string>> pairs =
        ParsePairs(context, options, catalogue);
    if (!pairs) return context.exitCode;
    const bool bulk = options.catalogue || options.catalogueAll;
    if (action == FunctionAction::Substitute && pairs->empty() && !bulk &&
        options.selection.rowsFile.empty())
        return context.Refuse(
            "project substitute needs --pair NAME=SUBSTITUTE, --catalogue or --rows FILE");
    std::optional<RowSelection> selection = MakeSelection(context, options, ListKind::Functions);
    if (!selection) return context.exitCode;

    ProjectSession session(context);
    if (!PrepareStep(context, session, options)) return context.exitCode;
    Workbench& workbench = session.workbench();
    FunctionStep step(context.fs(), workbench.language());
    step.SetSourceEncoding(workbench.settings().sourceEncoding);
    if (!AcceptUnreadable(context, step.Open(workbench.functions(), &session.sourceFiles(),
                                             workbench.settings().mainSourceFile)))
        return context.exitCode;
    FileEncodings files(context.fs(), workbench.settings().sourceEncoding);
    if (action == FunctionAction::Scan)
        return PrintStepRows(context, step.rows(), ListKind::Functions, *selection, files);

    const RowList before = step.rows();
    StepSummary summary;
    summary.command = action == FunctionAction::Substitute ? "substitute" : "unsubstitute";
    if (!options.selection.rowsFile.empty()) {
        auto given =
            GivenRows(context, options, step.rows(), ListKind::Functions, *selection, files);
        if (!given) return context.exitCode;
        for (const auto& [row, columns] : *given) {
            if (columns[kStepState].empty()) {
                step.Revert(row);
                continue;
            }
            if (columns[kStepState] != texts::kStateReplace) continue;
            const std::string substitute = columns[kStepValue].empty()
                                               ? step.rows().Text(row, kStepValue)
                                               : columns[kStepValue];
            if (Status known = CheckSubstitute(context, options, catalogue, substitute); !known)
                return context.Refuse("--rows: " + context.ToUser(columns[kStepFile]) + ":" +
                                      columns[kStepPosition] + ": " + known.error().message);
            step.Pair(row, substitute);
        }
        return FinishStep(context, session, options, step, ListKind::Functions, before, summary);
    }
    std::map<std::string, std::size_t> leftOutAt;  // by substitute, into summary.leftOut
    for (std::size_t row : SelectedRows(step.rows(), *selection, files)) {
        const std::string& state = step.rows().Text(row, kStepState);
        if (action == FunctionAction::Unsubstitute) {
            if (state == texts::kStateReplace || (options.unknown && state == texts::kStateUnknown))
                step.Revert(row);
            continue;
        }
        // Calls already substituted, and substitute calls the record does not know, stay.
        const std::string& call = step.rows().Text(row, kStepName);
        if (!state.empty() || call.empty()) continue;
        if (auto pair = pairs->find(gbk::ToLower(call)); pair != pairs->end()) {
            step.Pair(row, pair->second);
            continue;
        }
        if (!bulk) continue;
        std::optional<std::size_t> entry = FindExactSubstitute(catalogue, call);
        if (!entry) continue;
        const std::string name = CatalogueEntryName(catalogue[*entry]);
        if (TakesOtherArgumentTypes(name) && !options.catalogueAll) {
            auto [at, added] = leftOutAt.try_emplace(name, summary.leftOut.size());
            if (added) summary.leftOut.push_back({call, name, 0});
            ++summary.leftOut[at->second].rows;
            continue;
        }
        step.Pair(row, name);
    }
    return FinishStep(context, session, options, step, ListKind::Functions, before, summary,
                      action == FunctionAction::Unsubstitute && ChoosesAll(options.selection));
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
        context.err() << "korvexer-cli: "
                      << (rebased.message
                              ? RecordNotWrittenMessage(context, *rebased.message)
                              : "the record file " + context.ToUser(session.recordPath()) +
                                    " could not be written")
                      << '\n';
        context.exitCode = kExitFilesFailed;
        return context.exitCode;
    }
    context.out() << count << " path(s) of the record now lie under " << userTo << '\n';
    return context.exitCode;
}

// project show --format json: the settings as one object, then the source files and the rows.
void ShowProjectJson(CliContext& context, ProjectSession& session,
                     const std::string& languageName) {
    Workbench& workbench = session.workbench();
    const ProjectSettings& settings = workbench.settings();
    context.out() << JsonObject()
                         .Text("kind", "project")
                         .Text("company", settings.company)
                         .Text("product", workbench.Form().product)
                         .Number("languageIndex", settings.languageIndex)
                         .Text("language", languageName)
                         .Text("main", settings.mainSourceFile)
                         .Text("application", settings.applicationFile)
                         .Text("record", session.recordPath())
                         .Text("recordRead", session.recordRead())
                         .Line();
    for (const std::string& source : session.sourceFiles())
        context.out() << JsonObject().Text("kind", "source").Text("file", source).Line();
    FileEncodings files(context.fs(), workbench.settings().sourceEncoding);
    for (const auto& [rows, kind] : {std::make_pair(&workbench.constants(), ListKind::Constants),
                                     std::make_pair(&workbench.functions(), ListKind::Functions)})
        for (const Row& row : rows->rows())
            context.out() << RecordRowJson(row.columns, kind,
                                           files.Of(TrimTrailingBlanks(row.columns[kMainFile])))
                                 .Line();
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
    if (context.Json()) {
        ShowProjectJson(context, session, languageName);
        return context.exitCode;
    }
    context.PrintRow({"P", "company", settings.company});
    context.PrintRow({"P", "product", workbench.Form().product});
    context.PrintRow({"P", "language", std::to_string(settings.languageIndex), languageName});
    context.PrintRow({"P", "main", settings.mainSourceFile});
    context.PrintRow({"P", "application", settings.applicationFile});
    context.PrintRow({"P", "record", session.recordPath(), session.recordRead()});
    context.PrintRow(
        {"P", "source-encoding", std::string(SourceEncodingText(settings.sourceEncoding))});
    for (const std::string& source : session.sourceFiles()) context.PrintRow({"S", source});
    // A value or a name is its file's own text, shown in the encoding the project reads it in.
    auto printRows = [&context, &workbench](const char* tag, const RowList& rows, ListKind kind) {
        const CliContext::FileTextColumns texts = Shifted(RecordRowTexts(kind), 1);
        for (const Row& row : rows.rows()) {
            std::vector<std::string> columns{tag};
            columns.insert(columns.end(), row.columns.begin(), row.columns.end());
            const TextEncoding encoding = workbench.FileEncodingOf(columns[texts.path]);
            context.PrintRow(columns, ColumnEncodings(texts, columns.size(), encoding));
        }
    };
    printRows("C", workbench.constants(), ListKind::Constants);
    printRows("F", workbench.functions(), ListKind::Functions);
    return context.exitCode;
}

// project source list and project source remove FILE.
int ListSources(CliContext& context, const ProjectOptions& options) {
    ProjectSession session(context);
    if (Status loaded = session.Load(options, false); !loaded)
        return context.Refuse(context.ToUser(loaded.error().message));
    for (const std::string& source : session.sourceFiles()) {
        if (context.Json())
            context.out() << JsonObject().Text("kind", "source").Text("file", source).Line();
        else
            context.PrintRow({source});
    }
    return context.exitCode;
}

int RemoveSource(CliContext& context, const ProjectOptions& options) {
    Expected<std::string> path = context.FromUser(options.file);
    if (!path)
        return context.Refuse("the file name \"" + options.file + "\": " + path.error().message);
    ProjectSession session(context);
    if (Status loaded = session.Load(options, true); !loaded)
        return context.Refuse(context.ToUser(loaded.error().message));
    Workbench& workbench = session.workbench();
    const std::vector<std::string>& sources = session.sourceFiles();
    std::optional<std::size_t> entry;
    for (std::size_t i = 0; i < sources.size() && !entry; ++i)
        if (sources[i] == *path || PathCaseKey(sources[i]) == PathCaseKey(*path)) entry = i;
    if (!entry)
        return context.Refuse(
            options.file + " is not in the project's source-file list (see project source list)");
    workbench.SelectSourceFile(*entry);
    workbench.DeleteSelectedSourceFile();
    session.SaveRecord();
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
                       "A source file, or a folder whose files with the language's suffixes are "
                       "taken, to add to the project's source-file list first (as the window's "
                       "add button does; repeatable); the list is kept in the record");
    AddFileListOptions(command, options.sourceList);
}

void AddUnknownOption(CLI::App& command, ProjectOptions& options, const std::string& calls,
                      const std::string& text) {
    command.add_flag("--unknown", options.unknown,
                     "Also take back the chosen " + calls +
                         " that the record does not know (the rows shown as unknown), with the " +
                         text +
                         " from their trailing comment; a call whose comment does not "
                         "plainly hold it is left alone");
}

// The options of a step: what to choose, a dry run, the output and unreadable files.
void AddStepOptions(CLI::App& command, CliContext& context, ProjectOptions& options,
                    ListKind kind) {
    AddSelectionOptions(command, options.selection, kind, true);
    command.add_flag("--dry-run", options.dryRun,
                     "Write nothing (no source, backup, record or settings file): print the "
                     "unified diff of every file the step would change; exit status 1 when it "
                     "would change one, 0 when none, 2 when refused");
    AddFormatOption(&command, context);
    AddKeepGoingOption(&command, context);
}

}  // namespace

void RegisterProjectCommands(CLI::App& app, CliContext& context) {
    CLI::App* project = app.add_subcommand(
        "project",
        "The two workflow steps on a saved project, for scripts and build pipelines. The project "
        "is the one the settings file names (its \"Common Data\"), or --company/--product; the "
        "settings file is only read. Each step scans the main source file and the project's source "
        "files, merges the record file, chooses the rows that the selection options name (all "
        "when none is given; rows left out keep their state) and carries the result into the "
        "sources as the step dialogs' OK does (each changed file backed up to FILE~), then writes "
        "the record file beside the application file and its copy beside the main source file. "
        "Changed files are printed, then a summary line; files that could not be written, and "
        "rows that could not be applied or taken back (their file unreadable, their text not at "
        "their position: they stay in the record), are named on standard error, one line each, "
        "and the exit status is 1; a refused step (a record that cannot "
        "be read or could not hold the rows, a source file that cannot be read) changes nothing "
        "and exits with 2");
    project->require_subcommand(1, 1);

    CLI::App* show = project->add_subcommand(
        "show",
        "Prints the project: P rows for its settings (company, product, language index and "
        "name, main source file, application file, record file and the file the record was "
        "read from, source encoding), S and each source file, C and the five columns of each "
        "recorded constant "
        "(index, type, value, file, position), F and the five columns of each recorded "
        "substitution (number, call, substitute, file, position)");
    auto showOptions = AddProjectOptions(*show);
    AddFormatOption(show, context);
    show->callback([&context, showOptions] { ShowProject(context, *showOptions); });

    CLI::App* scan = project->add_subcommand(
        "scan",
        "Prints the rows a step would act on: the step's scan merged with the record, with "
        "their states (six columns, as scan prints them), narrowed by the selection options; "
        "writes nothing. Edited, they are what --rows takes");
    auto scanOptions = AddProjectOptions(*scan);
    scan->add_option("MODE", scanOptions->mode, "constants or calls")
        ->required()
        ->check(CLI::IsMember({"constants", "calls"}));
    AddSelectionOptions(*scan, scanOptions->selection, ListKind::Constants, false);
    AddSourceOption(*scan, *scanOptions);
    AddFormatOption(scan, context);
    AddKeepGoingOption(scan, context);
    scan->callback([&context, scanOptions] {
        if (scanOptions->mode == "calls") {
            if (scanOptions->selection.strings || scanOptions->selection.numbers) {
                context.Refuse("--strings and --numbers choose constants, not calls");
                return;
            }
            RunFunctionStep(context, *scanOptions, FunctionAction::Scan);
        } else {
            RunConstantStep(context, *scanOptions, ConstantAction::Scan);
        }
    });

    CLI::App* protect = project->add_subcommand(
        "protect",
        "Replaces every chosen constant without a state by its accessor call "
        "GetValueStr(n) / GetValueInt(n), keeping the literal in a trailing comment; accessor "
        "calls the record does not know are left alone");
    auto protectOptions = AddProjectOptions(*protect);
    AddSourceOption(*protect, *protectOptions);
    AddStepOptions(*protect, context, *protectOptions, ListKind::Constants);
    protect->callback([&context, protectOptions] {
        RunConstantStep(context, *protectOptions, ConstantAction::Protect);
    });

    CLI::App* restore = project->add_subcommand(
        "restore",
        "Takes every chosen recorded constant back: the literals return, the comments go. "
        "After a take-back of every row, accessor calls that a scan still finds are named on "
        "standard error and the exit status is 1");
    auto restoreOptions = AddProjectOptions(*restore);
    AddUnknownOption(*restore, *restoreOptions, "accessor calls", "literal");
    AddStepOptions(*restore, context, *restoreOptions, ListKind::Constants);
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
        "Substitutes chosen calls that are not substituted yet: a call named NAME by SUBSTITUTE "
        "for each --pair (names compared without regard to case), and with --catalogue every "
        "other call whose name followed by _kx is exactly the name of a catalogue entry (case, a "
        "leading :: and a leading _ of the call not counting), except the entries whose "
        "arguments differ from the call's (named in the summary). The window's looser proposal "
        "(an entry that merely contains the call's name) is never applied in bulk");
    auto substituteOptions = AddProjectOptions(*substitute);
    substitute->add_option("--pair", substituteOptions->pairs,
                           "NAME=SUBSTITUTE: substitute calls of NAME (repeatable); SUBSTITUTE "
                           "must be a catalogue entry");
    substitute->add_flag("--catalogue", substituteOptions->catalogue,
                         "Substitute calls named exactly after a catalogue entry (without _kx)");
    substitute->add_flag("--catalogue-all", substituteOptions->catalogueAll,
                         "As --catalogue, also by entries that take other argument types than "
                         "the call they replace (toupper_kx, div_kx, ...)");
    substitute->add_flag("--any-substitute", substituteOptions->anySubstitute,
                         "Let --pair and --rows name a substitute that is no catalogue entry");
    AddSourceOption(*substitute, *substituteOptions);
    AddStepOptions(*substitute, context, *substituteOptions, ListKind::Functions);
    substitute->callback([&context, substituteOptions] {
        RunFunctionStep(context, *substituteOptions, FunctionAction::Substitute);
    });

    CLI::App* unsubstitute = project->add_subcommand(
        "unsubstitute",
        "Takes every chosen recorded substitution back: the original calls return. After a "
        "take-back of every row, substitute calls that a scan still finds are named on standard "
        "error and the exit status is 1");
    auto unsubstituteOptions = AddProjectOptions(*unsubstitute);
    AddUnknownOption(*unsubstitute, *unsubstituteOptions, "_kx calls", "original name");
    AddStepOptions(*unsubstitute, context, *unsubstituteOptions, ListKind::Functions);
    unsubstitute->callback([&context, unsubstituteOptions] {
        RunFunctionStep(context, *unsubstituteOptions, FunctionAction::Unsubstitute);
    });

    CLI::App* check = project->add_subcommand(
        "check",
        "Checks that the record and the sources agree: every recorded constant and "
        "substitution stands in its file, and no accessor or substitute call is unknown to the "
        "record. Prints one line per disagreement; exit status 0 when they agree, 1 when they "
        "do not, 2 when the check cannot be made");
    auto checkOptions = AddProjectOptions(*check);
    check->add_flag("--strict", checkOptions->strict,
                    "Also disagree on every listed constant that is not protected");
    AddFormatOption(check, context);
    AddKeepGoingOption(check, context);
    check->callback([&context, checkOptions] {
        ProjectSession session(context);
        if (Status loaded = session.Load(*checkOptions, true); !loaded) {
            context.Refuse(context.ToUser(loaded.error().message));
            return;
        }
        CheckProject(context, session.workbench(), checkOptions->strict);
    });

    CLI::App* source = project->add_subcommand("source", "The project's source-file list");
    source->require_subcommand(1, 1);
    CLI::App* list =
        source->add_subcommand("list", "Prints the project's source files, one a line");
    auto listOptions = AddProjectOptions(*list);
    AddFormatOption(list, context);
    list->callback([&context, listOptions] { ListSources(context, *listOptions); });
    CLI::App* remove = source->add_subcommand(
        "remove",
        "Takes FILE off the project's source-file list (its path as project source list "
        "prints it) and writes the record; the file itself is not touched");
    auto removeOptions = AddProjectOptions(*remove);
    remove->add_option("FILE", removeOptions->file, "The source file")->required();
    remove->callback([&context, removeOptions] { RemoveSource(context, *removeOptions); });
}

}  // namespace korvexer::cli
