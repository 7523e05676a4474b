// SPDX-License-Identifier: MIT
// Workbench: the decisions of the main window (project fields, the three lists, validation, saving,
// refreshing, closing, browsing and the source-file list), with no user interface of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/project_move.h"
#include "core/app/project_settings.h"
#include "core/app/source_file_list.h"
#include "core/app/workbench_message.h"
#include "core/app/workbench_outcome.h"
#include "core/language/language_definition.h"
#include "core/list/row_layouts.h"
#include "core/list/row_list.h"
#include "core/platform/file_system.h"
#include "core/platform/profile_store.h"
#include "core/platform/text_encoding.h"
#include "core/scanner/file_encodings.h"

namespace korvexer {

// The window shows the model's fields and lists, forwards every event to it and carries out the
// outcome: shows the message, focuses the field, shows the form anew, closes. Operations that take
// a WorkbenchForm first take the form's texts into the model, as the window's data exchange does;
// the others work on the texts last taken (at start-up, refresh, save or by the browse results).
class Workbench {
public:
    // The most bytes the company field and the two path fields hold.
    static constexpr std::size_t kCompanyLimit = 30;
    static constexpr std::size_t kPathLimit = 256;

    // Loads the last saved project (the settings of "Common Data") from `settings`. Both objects
    // must outlive the model. `rules` decides how source-file names compare.
    Workbench(FileSystem& fs, ProfileStore& settings,
              FileNameRules rules = FileNameRules::Native());

    // The window's initialisation: the product entries, the current language definition for the
    // language index, and, when company, product and application file are known, the record file
    // (read beside the application file, else beside the main source file). "Delete" starts
    // disabled. A missing or unreadable record file leaves the lists empty and shows nothing.
    void Initialise();

    // The form as the model holds it, to show in the window.
    WorkbenchForm Form() const;
    const ProjectSettings& settings() const { return m_settings; }
    const ProductComboEntries& products() const { return m_products; }
    const LanguageDefinition& language() const { return m_language; }
    // The lists the step dialogs receive and change; a change does not set the dirty flag.
    RowList& constants() { return m_constants; }
    const RowList& constants() const { return m_constants; }
    RowList& functions() { return m_functions; }
    const RowList& functions() const { return m_functions; }
    const SourceFileList& sourceFiles() const { return m_sourceFiles; }
    std::int32_t lastConstantIndex() const { return m_lastConstantIndex; }
    bool dirty() const { return m_dirty; }
    // Which record files the last initialisation or refresh read, and with what result; empty when
    // it read none (no project, or no application file). A refresh stopped by its checks reads
    // nothing and leaves the report as it was.
    const RecordReadReport& recordRead() const { return m_recordRead; }
    const std::string& statusText() const { return m_status; }

    // The save button: refuses a form whose company or paths are longer than their limits (naming
    // the limit, focusing the field, taking nothing); validates company, product, main source file
    // and application file in that order (blanks at their start removed), stopping at the first
    // empty one with its message and focus; stores the project settings, writes the record file
    // beside the application file and copies it beside the main source file, clears the dirty flag
    // and says "saved". A settings or record file that cannot be written gives a message naming the
    // file and the reason, and the dirty flag stays set. `completed` tells whether everything was
    // saved.
    WorkbenchOutcome Save(const WorkbenchForm& form);

    // The refresh button: loads the project named by the form's company and product (a project
    // never saved gets language 0 and empty files), puts the product first in the company's
    // product list and stores that list, empties the constant list and, when company, product and
    // application file are known, reads that project's record file into all three lists. Clears
    // the dirty flag. An empty company or product stops with its message and focus.
    WorkbenchOutcome Refresh(const WorkbenchForm& form);

    // The close procedure, run by the close button, the window's close request, Enter and Esc.
    // The question to ask first, when there are unsaved changes; none otherwise.
    std::optional<WorkbenchMessage> CloseQuestion() const;
    // Closes, after saving silently when `saveFirst` and there are unsaved changes. A save that
    // stops at a validation message or a file that cannot be written keeps the window open with
    // that message, so the user can mend the form and save.
    WorkbenchOutcome Close(const WorkbenchForm& form, bool saveFirst);

    // Before a step dialog opens: a project whose application file (as last taken from the form,
    // blanks at its start removed) is empty has no record file, so the step is refused with the
    // message asking for that field, which the window then focuses. A project that was moved
    // (ProjectMoved) is refused too, naming both folders: its record's rows would rewrite the files
    // where the project lay before. Nothing when the step may run.
    std::optional<WorkbenchOutcome> CheckStepOpening() const;

    // The record read names the project's files where the project lay before it was moved or
    // copied (FindProjectMove over the lists, the main source file and the application file).
    std::optional<ProjectMove> ProjectMoved() const;
    // The question whether to rebase the record of a moved project; nothing when it was not moved.
    std::optional<WorkbenchMessage> MoveQuestion() const;
    // Rewrites the paths of the constant list, the function list and the source-file list that
    // lie under `from` to lie under `to` instead, then writes the record as after a step
    // (SaveRecordAfterStep). A rebase that finds no such path changes nothing and says so.
    WorkbenchOutcome RebaseRecord(const std::string& from, const std::string& to);

    // After a step dialog's OK: writes the record file of the application file last taken from the
    // form and copies it beside the main source file, clearing the dirty flag; on failure a
    // message naming the file, and the dirty flag stays as it was. Without an application file
    // no record is written (it would land in the current folder as ".con"): the message of
    // CheckStepOpening, and the dirty flag is set, since the lists hold what no record holds.
    WorkbenchOutcome SaveRecordAfterStep();

    // The constant index the constant step numbers from: that of the constant list's last row, or
    // 1024 for an empty list. Also kept as the last constant index.
    std::int32_t PrepareConstantStep();

    // The file dialogs: filters and the folder to start in ("" for the dialog's default).
    static std::vector<FileFilter> ApplicationFileFilters();
    // The source filter of the selected language, from its "filesubfix" in the settings file or
    // that language's default suffixes, every "." turned into "*.".
    std::vector<FileFilter> SourceFileFilters() const;
    std::string ApplicationBrowseFolder() const;
    std::string MainSourceBrowseFolder() const;

    // A path chosen in the browse dialogs (empty when cancelled): trimmed at both ends; when not
    // empty it becomes the field's text and sets the dirty flag.
    WorkbenchOutcome ChooseApplicationFile(const std::string& path);
    WorkbenchOutcome ChooseMainSourceFile(const std::string& path);

    // The user changed the language selection to `index`: sets the dirty flag and loads the
    // current language definition for it. (The window shows a language loaded by a refresh
    // without calling this, since that is no change of the user's.)
    void ChangeLanguage(std::int32_t index);
    // The user chose another source encoding: sets the dirty flag; the files' encodings are
    // found again under the new choice.
    void ChangeSourceEncoding(SourceEncoding choice);
    // The encoding of the source file `path` under the project's choice, in which the lists' own
    // texts of that file (a constant's value, a call's name and substitute) are its bytes. Each
    // file is looked up once until the choice or the project changes.
    TextEncoding FileEncodingOf(const std::string& path);
    // What a step's scan noticed about the sources (GBK sentences, one per file; none for
    // nothing) goes to the status line, so that the user learns which setting to change.
    void NoteScan(const std::vector<std::string>& notices);
    // The user typed into a field of the form or picked another product: sets the dirty flag, so
    // that closing asks before the typing is lost.
    void FormEdited();
    // The language settings dialog closed with OK: sets the dirty flag and reloads the current
    // language definition for the selected language.
    void LanguageSettingsAccepted();

    // The files chosen in the add dialog (none when cancelled): adds them to the source-file list
    // under its rules, with one message for all refused files; sets the dirty flag when one was
    // added.
    WorkbenchOutcome AddSourceFiles(const std::vector<std::string>& chosen);
    // "Delete" or a double-click on an entry: deletes the selected entry (dirty flag set).
    WorkbenchOutcome DeleteSelectedSourceFile();
    // The question before "delete all"; none when the list is empty (then nothing is asked or
    // done).
    std::optional<WorkbenchMessage> DeleteAllQuestion() const;
    // "Delete all" answered with Yes: empties the list and sets the dirty flag.
    WorkbenchOutcome DeleteAllSourceFiles();
    // The user selected entry `index`: enables "delete" and shows the entry in the status line.
    // False when there is no such entry.
    bool SelectSourceFile(std::size_t index);
    // The user cleared the selection: "delete" is disabled until an entry is selected again.
    void DeselectSourceFile();

    // The help button, once the window has the guide's bytes: writes them beside the main source
    // file (never over a readme.txt that is not the guide) and names the file to open, or gives
    // the message that it could not be written. The dirty flag is not touched.
    WorkbenchOutcome WriteHelp(std::string_view guide);

private:
    void TakeForm(const WorkbenchForm& form);
    // Validation of company and product shared by save and refresh; the product on success.
    std::optional<std::string> CheckCompanyAndProduct(WorkbenchOutcome& outcome);
    void ReadRecordIntoLists();
    void LoadLanguage();
    void ChangeSourceEncodingTo(SourceEncoding choice);
    Status WriteRecordAndSibling(std::string& recordPath);

    FileSystem& m_fs;
    ProfileStore& m_settingsFile;
    ProjectSettings m_settings;
    ProductComboEntries m_products;
    std::string m_productText;
    LanguageDefinition m_language;
    RowList m_constants{kMainColumnCount};
    RowList m_functions{kMainColumnCount};
    SourceFileList m_sourceFiles;
    std::int32_t m_lastConstantIndex = 1024;
    RecordReadReport m_recordRead;
    bool m_dirty = false;
    bool m_showSaveMessage = true;
    std::string m_status;
    std::optional<FileEncodings> m_fileEncodings;  // made on the first look-up
};

}  // namespace korvexer
