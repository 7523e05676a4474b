// SPDX-License-Identifier: MIT
// The main window's model: every decision of the window, taken on plain values.
#include "core/app/workbench.h"

#include <array>
#include <utility>

#include "core/app/path_rules.h"
#include "core/app/user_guide_writer.h"
#include "core/app/workbench_texts.h"
#include "core/language/language_defaults.h"
#include "core/language/language_store.h"
#include "core/platform/c_number.h"
#include "core/platform/gbk_text.h"
#include "core/platform/text_trim.h"
#include "core/record/record_file.h"

namespace korvexer {

namespace {

// The suffixes a language's source files have when its section names none.
constexpr std::array<const char*, kLanguageCount> kDefaultSuffixes = {
    ".cpp;.c;", ".bas;.frm;", ".prg;.scx;", ".pas;", ".java;", ".cs;", ".cpp;.c;"};

// The fixed text of a failure with the failure itself, named by its file, so that the front end
// can say which file failed and why, and the user knows what to mend.
WorkbenchMessage FileFailure(std::string_view text, std::string_view caption, Error error,
                             const std::string& file) {
    if (error.path.empty()) error.path = file;
    WorkbenchMessage message = WorkbenchMessage::Info(text, caption);
    message.failures.push_back(std::move(error));
    return message;
}

// `format` with each `placeholder` ("%s", "%d") replaced by `value`. '%' is below 0x40, so it is
// never a second byte and the byte after it starts a character.
std::string FormatEach(std::string_view format, std::string_view placeholder,
                       std::string_view value) {
    std::string result;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && format.compare(i, placeholder.size(), placeholder) == 0) {
            result += value;
            i += placeholder.size() - 1;
        } else {
            result += format[i];
        }
    }
    return result;
}

// The message about a moved project: both folders, then `end`.
std::string MovedText(const ProjectMove& move, std::string_view end) {
    std::string text(texts::kMovedBegin);
    text += move.recordFolder;
    text += texts::kMovedMiddle;
    text += move.projectFolder;
    text += end;
    return text;
}

// Refuses a form whose field is longer than the window lets it be: the company, then the
// application file, then the main source file.
bool RefuseOverlongField(const WorkbenchForm& form, WorkbenchOutcome& outcome) {
    const struct {
        const std::string& text;
        std::size_t limit;
        WorkbenchField field;
    } fields[] = {
        {form.company, Workbench::kCompanyLimit, WorkbenchField::Company},
        {form.applicationFile, Workbench::kPathLimit, WorkbenchField::ApplicationFile},
        {form.mainSourceFile, Workbench::kPathLimit, WorkbenchField::MainSourceFile},
    };
    for (const auto& f : fields) {
        if (f.text.size() <= f.limit) continue;
        outcome.message = WorkbenchMessage::Info(
            FormatEach(texts::kFieldTooLong, "%d", std::to_string(f.limit)), texts::kCaptionSystem);
        outcome.focus = f.field;
        return true;
    }
    return false;
}

// "a|b|c|d|" as the pairs (a, b) and (c, d). '|' can be the second byte of a two-byte character,
// so the split steps over characters.
std::vector<FileFilter> SplitFilter(std::string_view filter) {
    std::vector<std::string> parts;
    for (std::size_t start = 0; start < filter.size();) {
        std::size_t bar = gbk::Find(filter, '|', start);
        if (bar == std::string_view::npos) bar = filter.size();
        parts.emplace_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<FileFilter> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        filters.push_back({parts[i], parts[i + 1]});
    return filters;
}

}  // namespace

Workbench::Workbench(FileSystem& fs, ProfileStore& settings, FileNameRules rules)
    : m_fs(fs), m_settingsFile(settings), m_sourceFiles(rules) {
    LoadProjectSettings(m_settingsFile, "", "", m_settings);
}

void Workbench::Initialise() {
    m_products = FillProductCombo(m_settings.productList);
    if (m_products.selected >= 0)
        m_productText = m_products.entries[static_cast<std::size_t>(m_products.selected)];
    LoadLanguage();
    m_settings.company = TrimLeadingBlanks(m_settings.company);
    m_settings.applicationFile = TrimLeadingBlanks(m_settings.applicationFile);
    const std::string product = TrimLeadingBlanks(m_productText);
    if (!m_settings.company.empty() && !product.empty() && !m_settings.applicationFile.empty())
        ReadRecordIntoLists();
    m_sourceFiles.ResetSelection();
}

WorkbenchForm Workbench::Form() const {
    return WorkbenchForm{m_settings.company,         m_productText,
                         m_settings.languageIndex,   m_settings.mainSourceFile,
                         m_settings.applicationFile, m_settings.sourceEncoding};
}

void Workbench::TakeForm(const WorkbenchForm& form) {
    m_settings.company = form.company;
    m_productText = form.product;
    m_settings.languageIndex = form.languageIndex;
    m_settings.mainSourceFile = form.mainSourceFile;
    m_settings.applicationFile = form.applicationFile;
    if (form.sourceEncoding != m_settings.sourceEncoding)
        ChangeSourceEncodingTo(form.sourceEncoding);
}

void Workbench::ChangeSourceEncodingTo(SourceEncoding choice) {
    m_settings.sourceEncoding = choice;
    m_fileEncodings.reset();
}

std::optional<std::string> Workbench::CheckCompanyAndProduct(WorkbenchOutcome& outcome) {
    m_settings.company = TrimLeadingBlanks(m_settings.company);
    if (m_settings.company.empty()) {
        outcome.message = WorkbenchMessage::Info(texts::kCompanyEmpty, texts::kCaptionSystem);
        outcome.focus = WorkbenchField::Company;
        return std::nullopt;
    }
    std::string product = TrimLeadingBlanks(m_productText);
    if (product.empty()) {
        outcome.message = WorkbenchMessage::Info(texts::kProductEmpty, texts::kCaptionSystem);
        outcome.focus = WorkbenchField::Product;
        return std::nullopt;
    }
    return product;
}

WorkbenchOutcome Workbench::Save(const WorkbenchForm& form) {
    WorkbenchOutcome outcome;
    if (RefuseOverlongField(form, outcome)) return outcome;
    TakeForm(form);
    std::optional<std::string> product = CheckCompanyAndProduct(outcome);
    if (!product) return outcome;
    m_settings.mainSourceFile = TrimLeadingBlanks(m_settings.mainSourceFile);
    if (m_settings.mainSourceFile.empty()) {
        outcome.message =
            WorkbenchMessage::Info(texts::kMainSourceEmpty, texts::kCaptionInformation);
        outcome.focus = WorkbenchField::MainSourceFile;
        return outcome;
    }
    m_settings.applicationFile = TrimLeadingBlanks(m_settings.applicationFile);
    if (m_settings.applicationFile.empty()) {
        outcome.message = WorkbenchMessage::Info(texts::kApplicationEmpty, texts::kCaptionSystem);
        outcome.focus = WorkbenchField::ApplicationFile;
        return outcome;
    }

    Status stored = SaveProjectSettings(m_settingsFile, m_settings.company, *product, m_settings);
    if (!stored) {
        outcome.message = FileFailure(texts::kSettingsWriteFailed, texts::kCaptionSystem,
                                      stored.error(), m_settingsFile.path());
        return outcome;
    }
    // SaveProjectSettings has already put the product first and stored the list; doing it a second
    // time would drop one more entry from a list at its length limit.
    m_settings.product = *product;
    m_products = FillProductCombo(m_settings.productList);
    if (m_products.selected >= 0)
        m_productText = m_products.entries[static_cast<std::size_t>(m_products.selected)];
    outcome.refreshForm = true;

    std::string recordPath;
    Status written = WriteRecordAndSibling(recordPath);
    if (!written) {
        outcome.message = FileFailure(texts::kSaveRecordFailed, texts::kCaptionSystem,
                                      written.error(), recordPath);
        return outcome;
    }
    m_dirty = false;
    outcome.completed = true;
    if (m_showSaveMessage)
        outcome.message = WorkbenchMessage::Info(texts::kSaved, texts::kCaptionSystem);
    return outcome;
}

Status Workbench::WriteRecordAndSibling(std::string& recordPath) {
    recordPath = RecordFilePath(m_settings.applicationFile);
    RecordLists lists;
    lists.constants = m_constants;
    lists.functions = m_functions;
    lists.sourceFiles = m_sourceFiles.entries();
    Status written = WriteRecordFile(m_fs, recordPath, lists);
    if (!written) return written;
    // The copy beside the sources is a convenience; the record beside the application is saved.
    (void)CopyToSiblingPath(m_fs, recordPath, m_settings.mainSourceFile);
    return Status::Ok();
}

void Workbench::ReadRecordIntoLists() {
    RecordLists lists;
    std::int32_t counter = m_lastConstantIndex;
    RecordReadReport& read = m_recordRead;
    read = RecordReadReport{};
    read.path = RecordFilePath(m_settings.applicationFile);
    read.result = ReadRecordFile(m_fs, read.path, lists, counter);
    if (read.result == RecordReadResult::Complete) {
        read.source = read.path;
    } else if (std::string copy = MakeSiblingPath(read.path, m_settings.mainSourceFile);
               !copy.empty()) {
        // All three lists start again, so that rows the failed read got are not listed twice.
        lists = RecordLists{};
        read.copyPath = std::move(copy);
        read.copyResult = ReadRecordFile(m_fs, read.copyPath, lists, counter);
        if (read.copyResult == RecordReadResult::Complete) read.source = read.copyPath;
    }
    m_constants = std::move(lists.constants);
    m_functions = std::move(lists.functions);
    m_sourceFiles.Assign(std::move(lists.sourceFiles));
    m_lastConstantIndex = counter;
}

void Workbench::LoadLanguage() {
    LoadLanguageDefinition(m_settings.languageIndex, m_language, &m_settingsFile);
}

WorkbenchOutcome Workbench::Refresh(const WorkbenchForm& form) {
    WorkbenchOutcome outcome;
    TakeForm(form);
    std::optional<std::string> product = CheckCompanyAndProduct(outcome);
    if (!product) return outcome;

    LoadProjectSettings(m_settingsFile, m_settings.company, *product, m_settings);
    m_fileEncodings.reset();
    // The load put the product first in the list it read; a failed write of the list only loses
    // the order of the recent products, so it is not reported.
    (void)m_settingsFile.WriteString(m_settings.company, "ProductIDList", m_settings.productList);
    m_products = FillProductCombo(m_settings.productList);
    if (m_products.selected >= 0)
        m_productText = m_products.entries[static_cast<std::size_t>(m_products.selected)];
    // The language shown changes with the project, so the scanner's definition follows it.
    LoadLanguage();
    m_dirty = false;
    m_constants.clear();
    m_recordRead = RecordReadReport{};
    outcome.refreshForm = true;
    outcome.completed = true;

    m_settings.applicationFile = TrimLeadingBlanks(m_settings.applicationFile);
    if (m_settings.applicationFile.empty()) return outcome;
    ReadRecordIntoLists();
    return outcome;
}

std::optional<WorkbenchMessage> Workbench::CloseQuestion() const {
    if (!m_dirty) return std::nullopt;
    return WorkbenchMessage::Question(texts::kSaveBeforeClose, texts::kCaptionSystem);
}

WorkbenchOutcome Workbench::Close(const WorkbenchForm& form, bool saveFirst) {
    WorkbenchOutcome outcome;
    if (m_dirty && saveFirst) {
        m_showSaveMessage = false;
        outcome = Save(form);
        m_showSaveMessage = true;
        if (!outcome.completed) return outcome;
    }
    outcome.closeWindow = true;
    return outcome;
}

std::optional<WorkbenchOutcome> Workbench::CheckStepOpening() const {
    WorkbenchOutcome refused;
    if (TrimLeadingBlanks(m_settings.applicationFile).empty()) {
        refused.message = WorkbenchMessage::Info(texts::kStepNoApplication, texts::kCaptionSystem);
        refused.focus = WorkbenchField::ApplicationFile;
        return refused;
    }
    if (std::optional<ProjectMove> move = ProjectMoved()) {
        refused.message =
            WorkbenchMessage::Info(MovedText(*move, texts::kMovedStepEnd), texts::kCaptionSystem);
        return refused;
    }
    return std::nullopt;
}

std::optional<ProjectMove> Workbench::ProjectMoved() const {
    return FindProjectMove(m_constants, m_functions, m_sourceFiles.entries(),
                           m_settings.mainSourceFile, m_settings.applicationFile);
}

std::optional<WorkbenchMessage> Workbench::MoveQuestion() const {
    std::optional<ProjectMove> move = ProjectMoved();
    if (!move) return std::nullopt;
    return WorkbenchMessage::Question(MovedText(*move, texts::kMovedQuestionEnd),
                                      texts::kCaptionSystem);
}

WorkbenchOutcome Workbench::RebaseRecord(const std::string& from, const std::string& to) {
    std::vector<std::string> sources = m_sourceFiles.entries();
    RowList constants = m_constants;
    RowList functions = m_functions;
    if (RebasePaths(constants, functions, sources, from, to) == 0) {
        WorkbenchOutcome outcome;
        outcome.message = WorkbenchMessage::Info(texts::kRebaseNothing, texts::kCaptionSystem);
        return outcome;
    }
    m_constants = std::move(constants);
    m_functions = std::move(functions);
    m_sourceFiles.Assign(std::move(sources));
    WorkbenchOutcome outcome = SaveRecordAfterStep();
    outcome.refreshForm = true;
    return outcome;
}

WorkbenchOutcome Workbench::SaveRecordAfterStep() {
    if (std::optional<WorkbenchOutcome> refused = CheckStepOpening()) {
        m_dirty = true;
        return *refused;
    }
    WorkbenchOutcome outcome;
    std::string recordPath;
    Status written = WriteRecordAndSibling(recordPath);
    if (!written) {
        outcome.message = FileFailure(texts::kStepRecordFailed, texts::kCaptionSystem,
                                      written.error(), recordPath);
        return outcome;
    }
    m_dirty = false;
    outcome.completed = true;
    return outcome;
}

std::int32_t Workbench::PrepareConstantStep() {
    m_lastConstantIndex =
        m_constants.empty() ? 1024 : CAtoi(m_constants.Text(m_constants.size() - 1, kMainKey));
    return m_lastConstantIndex;
}

std::vector<FileFilter> Workbench::ApplicationFileFilters() {
    return SplitFilter(texts::kApplicationFilter);
}

std::vector<FileFilter> Workbench::SourceFileFilters() const {
    std::int32_t base = BaseLanguage(m_settings.languageIndex);
    if (base < 0) base = 0;
    const std::string suffixes = m_settingsFile.GetString(
        LanguageSection(base), "filesubfix", kDefaultSuffixes[static_cast<std::size_t>(base)]);
    std::string patterns;
    for (char byte : suffixes) {
        // '.' is below 0x40 and never the second byte of a character.
        if (byte == '.') patterns += '*';
        patterns += byte;
    }
    return SplitFilter(FormatEach(texts::kSourceFilterFormat, "%s", patterns));
}

std::string Workbench::ApplicationBrowseFolder() const {
    return GetPathDirectory(m_settings.applicationFile);
}

std::string Workbench::MainSourceBrowseFolder() const {
    return GetPathDirectory(m_settings.mainSourceFile);
}

WorkbenchOutcome Workbench::ChooseApplicationFile(const std::string& path) {
    WorkbenchOutcome outcome;
    std::string chosen(TrimBlanks(path));
    if (chosen.empty()) return outcome;
    m_settings.applicationFile = std::move(chosen);
    m_dirty = true;
    outcome.refreshForm = true;
    outcome.completed = true;
    return outcome;
}

WorkbenchOutcome Workbench::ChooseMainSourceFile(const std::string& path) {
    WorkbenchOutcome outcome;
    std::string chosen(TrimBlanks(path));
    if (chosen.empty()) return outcome;
    m_settings.mainSourceFile = std::move(chosen);
    m_dirty = true;
    outcome.refreshForm = true;
    outcome.completed = true;
    return outcome;
}

void Workbench::ChangeLanguage(std::int32_t index) {
    m_settings.languageIndex = index;
    m_dirty = true;
    LoadLanguage();
}

void Workbench::ChangeSourceEncoding(SourceEncoding choice) {
    ChangeSourceEncodingTo(choice);
    m_dirty = true;
}

TextEncoding Workbench::FileEncodingOf(const std::string& path) {
    if (!m_fileEncodings) m_fileEncodings.emplace(m_fs, m_settings.sourceEncoding);
    return m_fileEncodings->Of(path);
}

void Workbench::NoteScan(const std::vector<std::string>& notices) {
    if (notices.empty()) return;
    m_status.clear();
    for (const std::string& notice : notices) m_status += notice;
}

void Workbench::FormEdited() {
    m_dirty = true;
}

void Workbench::LanguageSettingsAccepted() {
    m_dirty = true;
    LoadLanguage();
}

WorkbenchOutcome Workbench::AddSourceFiles(const std::vector<std::string>& chosen) {
    WorkbenchOutcome outcome;
    if (chosen.empty()) return outcome;
    AddFilesResult result = m_sourceFiles.Add(chosen, m_language.libraryfiles);
    if (result.refused > 0)
        outcome.message = WorkbenchMessage::Info(texts::kFilesRefused, texts::kCaptionInformation);
    if (result.added > 0) {
        m_dirty = true;
        outcome.refreshForm = true;
    }
    outcome.completed = true;
    return outcome;
}

WorkbenchOutcome Workbench::DeleteSelectedSourceFile() {
    WorkbenchOutcome outcome;
    if (m_sourceFiles.DeleteSelected()) {
        m_dirty = true;
        outcome.completed = true;
    }
    outcome.refreshForm = true;
    return outcome;
}

std::optional<WorkbenchMessage> Workbench::DeleteAllQuestion() const {
    if (m_sourceFiles.empty()) return std::nullopt;
    return WorkbenchMessage::Question(texts::kDeleteAllQuestion, texts::kCaptionSystem);
}

WorkbenchOutcome Workbench::DeleteAllSourceFiles() {
    WorkbenchOutcome outcome;
    if (m_sourceFiles.empty()) return outcome;
    m_sourceFiles.DeleteAll();
    m_dirty = true;
    outcome.refreshForm = true;
    outcome.completed = true;
    return outcome;
}

bool Workbench::SelectSourceFile(std::size_t index) {
    if (!m_sourceFiles.Select(index)) return false;
    m_status = m_sourceFiles.entries()[index];
    return true;
}

void Workbench::DeselectSourceFile() {
    m_sourceFiles.ResetSelection();
}

WorkbenchOutcome Workbench::WriteHelp(std::string_view guide) {
    WorkbenchOutcome outcome;
    Expected<std::string> written = WriteUserGuide(m_fs, m_settings.mainSourceFile, guide);
    if (!written) {
        WorkbenchMessage message = FileFailure(texts::kHelpWriteFailed, texts::kCaptionInformation,
                                               written.error(), m_settings.mainSourceFile);
        message.icon = MessageIcon::Exclamation;
        outcome.message = std::move(message);
        return outcome;
    }
    outcome.fileToOpen = std::move(*written);
    outcome.completed = true;
    return outcome;
}

}  // namespace korvexer
