// SPDX-License-Identifier: MIT
// What the main window hands its model (the form's texts) and what it gets back (an outcome).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/app/workbench_message.h"
#include "core/platform/text_encoding.h"
#include "core/record/record_file.h"

namespace korvexer {

// The fields of the main window's form that a message can send the focus to.
enum class WorkbenchField { None, Company, Product, MainSourceFile, ApplicationFile };

// The form's texts as the user left them (GBK). `product` is the product combo's text.
struct WorkbenchForm {
    std::string company;
    std::string product;
    std::int32_t languageIndex = 0;
    std::string mainSourceFile;
    std::string applicationFile;
    SourceEncoding sourceEncoding = SourceEncoding::Automatic;  // the source encoding combo box
};

// One entry of a file dialog's filter: the text shown and the ';'-separated patterns
// ("*.cpp;*.c;").
struct FileFilter {
    std::string description;
    std::string patterns;
};

// What the last reading of a project's record file found. The record beside the application file
// is read first; only when that read is not complete is its copy beside the main source file read.
struct RecordReadReport {
    std::string path;  // the record file beside the application file; "" when none was read
    RecordReadResult result = RecordReadResult::Missing;
    std::string copyPath;  // the copy beside the main source file; "" when it was not read
    RecordReadResult copyResult = RecordReadResult::Missing;
    std::string source;  // the file the lists came from, read completely; "" when neither was
};

// The result of one operation of the main window.
struct WorkbenchOutcome {
    std::optional<WorkbenchMessage> message;      // to show, when set
    WorkbenchField focus = WorkbenchField::None;  // to focus after the message
    bool refreshForm = false;  // the fields, lists and enabled states must be shown anew
    bool closeWindow = false;  // the window closes
    bool completed = false;    // the operation ran to its end (a save that saved)
    std::string fileToOpen;    // the help file for the system's handler, when set
};

}  // namespace korvexer
