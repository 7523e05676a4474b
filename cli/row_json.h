// SPDX-License-Identifier: MIT
// The rows of the lists as JSON objects with English keys, and back.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cli/json_reader.h"
#include "cli/json_writer.h"
#include "core/list/row_layouts.h"
#include "core/platform/expected.h"
#include "core/platform/text_encoding.h"

namespace korvexer::cli {

// A step row (six columns) or a record row (five, no state) as an object:
//   constants: "kind": "constant", "index", "type" ("string" or "number"), "value", "state",
//   calls:     "kind": "call", "number", "name", "substitute", "state",
// then "file", "line" and "column" (null when the row has no position). "index" and "number" are
// numbers when the column holds a decimal number, else its text; "state" is "replace",
// "unknown" or "none". The value, name and substitute are in `fileEncoding`, the rest GBK.
JsonObject StepRowJson(const std::vector<std::string>& columns, ListKind kind,
                       TextEncoding fileEncoding);
JsonObject RecordRowJson(const std::vector<std::string>& columns, ListKind kind,
                         TextEncoding fileEncoding);

// The words of the JSON form for a state and a constant type, and the list texts they stand for
// ("" when the word is none of them).
std::string StateWord(const std::string& state);
std::string StateText(const std::string& word, bool& known);

// The file of an object that StepRowJson wrote, as the GBK path the list holds.
Expected<std::string> JsonRowPath(const std::map<std::string, JsonValue>& object);
// A step row made from such an object, whose file `path` has `fileEncoding`: "kind" must be
// `kind`'s word, "file", "line" and "column" must be there; "state" is taken as its word says
// (none when left out), the other columns where given. Fails naming the member that is wrong.
Expected<std::vector<std::string>> StepRowFromJson(const std::map<std::string, JsonValue>& object,
                                                   ListKind kind, const std::string& path,
                                                   TextEncoding fileEncoding);

}  // namespace korvexer::cli
