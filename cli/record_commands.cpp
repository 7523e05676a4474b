// SPDX-License-Identifier: MIT
// korvexer-cli record read and record write: the record file as text rows.
#include "cli/commands.h"

#include <cstdint>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "cli/file_texts.h"
#include "cli/json_writer.h"
#include "cli/row_json.h"
#include "core/record/record_file.h"

namespace korvexer::cli {

namespace {

int ReadRecord(CliContext& context, const std::string& userPath) {
    RecordLists lists;
    std::int32_t counter = kFirstConstantIndex;
    Expected<std::string> path = context.FromUser(userPath);
    if (!path) {
        context.PrintRow({"I", std::to_string(counter)});
        return context.Refuse("the record file name: " + path.error().message);
    }
    const RecordReadResult result = ReadRecordFile(context.fs(), *path, lists, counter);
    // A value or a name is its file's own text, shown in the file's encoding.
    FileEncodings files(context.fs(), SourceEncoding::Automatic);
    auto printRows = [&](const char* tag, const RowList& rows, ListKind kind) {
        const CliContext::FileTextColumns texts = Shifted(RecordRowTexts(kind), 1);
        for (const Row& row : rows.rows()) {
            if (context.Json()) {
                context.out()
                    << RecordRowJson(row.columns, kind, files.Of(row.columns[kMainFile])).Line();
                continue;
            }
            std::vector<std::string> columns{tag};
            columns.insert(columns.end(), row.columns.begin(), row.columns.end());
            const TextEncoding encoding =
                texts.path < columns.size() ? files.Of(columns[texts.path]) : TextEncoding::Gbk;
            context.PrintRow(columns, ColumnEncodings(texts, columns.size(), encoding));
        }
    };
    printRows("C", lists.constants, ListKind::Constants);
    printRows("F", lists.functions, ListKind::Functions);
    if (context.Json()) {
        for (const std::string& source : lists.sourceFiles)
            context.out() << JsonObject().Text("kind", "source").Text("file", source).Line();
        context.out() << JsonObject()
                             .Text("kind", "counter")
                             .Number("index", counter)
                             .Number("result", static_cast<int>(result))
                             .Line();
        context.exitCode = static_cast<int>(result);
        return context.exitCode;
    }
    for (const std::string& source : lists.sourceFiles) context.PrintRow({"S", source});
    context.PrintRow({"I", std::to_string(counter)});
    context.exitCode = static_cast<int>(result);
    return context.exitCode;
}

int WriteRecord(CliContext& context, const std::string& userPath) {
    Expected<std::string> path = context.FromUser(userPath);
    if (!path) return context.Refuse("the record file name: " + path.error().message);
    FileEncodings files(context.fs(), SourceEncoding::Automatic);
    Expected<std::vector<std::vector<std::string>>> rows = context.ReadRows(
        std::cin,
        [](const std::vector<std::string>& row) {
            if (row.empty() || (row[0] != "C" && row[0] != "F"))
                return CliContext::FileTextColumns{};
            return Shifted(
                RecordRowTexts(row[0] == "C" ? ListKind::Constants : ListKind::Functions), 1);
        },
        files);
    if (!rows) return context.Refuse(rows.error().message);

    RecordLists lists;
    for (std::vector<std::string>& row : *rows) {
        if (row.empty()) continue;
        const std::string tag = row[0];
        row.erase(row.begin());
        if (tag == "C")
            lists.constants.Append(std::move(row));
        else if (tag == "F")
            lists.functions.Append(std::move(row));
        else if (tag == "S")
            lists.sourceFiles.push_back(row.empty() ? std::string() : std::move(row[0]));
    }
    Expected<std::string> bytes = AssembleRecordFile(lists);
    if (!bytes)
        return context.Refuse(context.ToUser(bytes.error().message) +
                              "; the record file was left as it was");
    if (Status written = ReplaceFile(context.fs(), *path, *bytes); !written) {
        context.err() << "korvexer-cli: " << context.ToUser(written.error().path) << ": "
                      << context.ToUser(written.error().message) << '\n';
        context.exitCode = kExitFilesFailed;
        return context.exitCode;
    }
    return kExitSuccess;
}

}  // namespace

void RegisterRecordCommands(CLI::App& app, CliContext& context) {
    CLI::App* record = app.add_subcommand("record", "Record files");
    record->require_subcommand(1, 1);

    CLI::App* read = record->add_subcommand(
        "read",
        "Prints the rows of record FILE: C and the five columns of each constant row, F and the "
        "five columns of each function row, S and each source file, then I and the index "
        "counter; the exit status is the reader's result code (0 read, 1 cannot be read, "
        "2 malformed, 3 wrong magic, 4 no such file)");
    auto readPath = std::make_shared<std::string>();
    read->add_option("FILE", *readPath, "The record file")->required();
    AddFormatOption(read, context);
    read->callback([&context, readPath] { ReadRecord(context, *readPath); });

    CLI::App* write = record->add_subcommand(
        "write",
        "Writes record FILE from the C, F and S rows on standard input (other rows are "
        "ignored); refused with exit status 2, and the file left as it was, when a field or a "
        "list would pass the format's limits");
    auto writePath = std::make_shared<std::string>();
    write->add_option("FILE", *writePath, "The record file")->required();
    write->callback([&context, writePath] { WriteRecord(context, *writePath); });
}

}  // namespace korvexer::cli
