// SPDX-License-Identifier: MIT
// Rows as JSON objects.
#include "cli/row_json.h"

#include "core/list/list_texts.h"

namespace korvexer::cli {

namespace {

bool IsDecimal(const std::string& text) {
    if (text.empty() || text.size() > 18) return false;
    if (text.size() > 1 && text[0] == '0') return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

void Key(JsonObject& object, const char* name, const std::string& text) {
    if (IsDecimal(text))
        object.Number(name, std::stoll(text));
    else
        object.Text(name, text);
}

std::string TypeWord(const std::string& type) {
    if (type == texts::kTypeString) return "string";
    if (type == texts::kTypeNumber) return "number";
    return type;
}

// "LINE:COLUMN" as two numbers; false when the text is not of that form.
bool ParsePosition(const std::string& text, long long& line, long long& column) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return false;
    const std::string lineText = text.substr(0, colon), columnText = text.substr(colon + 1);
    if (!IsDecimal(lineText) || !IsDecimal(columnText)) return false;
    line = std::stoll(lineText);
    column = std::stoll(columnText);
    return true;
}

// The columns of a row after its key: kind words, then name, value, state (step rows), file and
// position. `state` is null for record rows.
JsonObject RowJson(const std::string& key, const std::string& name, const std::string& value,
                   const std::string* state, const std::string& file, const std::string& position,
                   ListKind kind, TextEncoding fileEncoding) {
    JsonObject object;
    if (kind == ListKind::Constants) {
        object.Text("kind", "constant");
        Key(object, "index", key);
        object.Text("type", TypeWord(name));
        object.Text("value", value, fileEncoding);
    } else {
        object.Text("kind", "call");
        Key(object, "number", key);
        object.Text("name", name, fileEncoding);
        object.Text("substitute", value, fileEncoding);
    }
    if (state) object.Text("state", StateWord(*state));
    object.Text("file", file);
    long long line = 0, column = 0;
    if (ParsePosition(position, line, column)) {
        object.Number("line", line);
        object.Number("column", column);
    } else {
        object.Null("line");
        object.Null("column");
    }
    return object;
}

const std::string& At(const std::vector<std::string>& columns, std::size_t i) {
    static const std::string kEmpty;
    return i < columns.size() ? columns[i] : kEmpty;
}

}  // namespace

std::string StateWord(const std::string& state) {
    if (state == texts::kStateReplace) return "replace";
    if (state == texts::kStateUnknown) return "unknown";
    return state.empty() ? "none" : state;
}

std::string StateText(const std::string& word, bool& known) {
    known = true;
    if (word == "replace") return std::string(texts::kStateReplace);
    if (word == "unknown") return std::string(texts::kStateUnknown);
    if (word == "none" || word.empty()) return {};
    known = false;
    return {};
}

JsonObject StepRowJson(const std::vector<std::string>& columns, ListKind kind,
                       TextEncoding fileEncoding) {
    return RowJson(At(columns, kStepKey), At(columns, kStepName), At(columns, kStepValue),
                   &At(columns, kStepState), At(columns, kStepFile), At(columns, kStepPosition),
                   kind, fileEncoding);
}

JsonObject RecordRowJson(const std::vector<std::string>& columns, ListKind kind,
                         TextEncoding fileEncoding) {
    return RowJson(At(columns, kMainKey), At(columns, kMainName), At(columns, kMainValue), nullptr,
                   At(columns, kMainFile), At(columns, kMainPosition), kind, fileEncoding);
}

Expected<std::string> JsonRowPath(const std::map<std::string, JsonValue>& object) {
    auto file = object.find("file");
    if (file == object.end() || file->second.kind != JsonValue::Kind::String)
        return Error{"\"file\" must be given as a string", {}};
    Expected<std::string> path = file->second.Bytes(TextEncoding::Gbk);
    if (!path) return Error{"\"file\": " + path.error().message, {}};
    return path;
}

Expected<std::vector<std::string>> StepRowFromJson(const std::map<std::string, JsonValue>& object,
                                                   ListKind kind, const std::string& path,
                                                   TextEncoding fileEncoding) {
    const bool constants = kind == ListKind::Constants;
    auto member = [&object](const char* name) -> const JsonValue* {
        auto found = object.find(name);
        return found == object.end() ? nullptr : &found->second;
    };
    const JsonValue* kindValue = member("kind");
    Expected<std::string> kindWord =
        kindValue ? kindValue->Bytes(TextEncoding::Utf8) : Expected<std::string>(std::string());
    if (!kindWord || *kindWord != (constants ? "constant" : "call"))
        return Error{std::string("\"kind\" must be \"") + (constants ? "constant" : "call") + "\"",
                     {}};
    const JsonValue* line = member("line");
    const JsonValue* column = member("column");
    if (!line || !column || line->kind != JsonValue::Kind::Number ||
        column->kind != JsonValue::Kind::Number)
        return Error{"\"line\" and \"column\" must be given as numbers", {}};

    std::vector<std::string> row(kStepColumnCount);
    row[kStepFile] = path;
    row[kStepPosition] = std::to_string(line->number) + ":" + std::to_string(column->number);
    const JsonValue* key = member(constants ? "index" : "number");
    if (key && key->kind == JsonValue::Kind::Number) row[kStepKey] = std::to_string(key->number);
    struct TextColumn {
        const char* name;
        std::size_t column;
        TextEncoding encoding;
    };
    const TextColumn textColumns[] = {
        {constants ? "value" : "name", constants ? std::size_t{kStepValue} : std::size_t{kStepName},
         fileEncoding},
        {constants ? "" : "substitute", kStepValue, fileEncoding},
    };
    for (const TextColumn& text : textColumns) {
        const JsonValue* value = member(text.name);
        if (!value || value->kind != JsonValue::Kind::String) continue;
        Expected<std::string> bytes = value->Bytes(text.encoding);
        if (!bytes)
            return Error{std::string("\"") + text.name + "\": " + bytes.error().message, {}};
        row[text.column] = std::move(*bytes);
    }
    if (constants)
        if (const JsonValue* type = member("type"); type && type->kind == JsonValue::Kind::String) {
            Expected<std::string> word = type->Bytes(TextEncoding::Utf8);
            if (word && *word == "string") row[kStepName] = std::string(texts::kTypeString);
            if (word && *word == "number") row[kStepName] = std::string(texts::kTypeNumber);
        }
    if (const JsonValue* state = member("state")) {
        Expected<std::string> word = state->Bytes(TextEncoding::Utf8);
        bool known = false;
        if (word) row[kStepState] = StateText(*word, known);
        if (!word || !known)
            return Error{"\"state\" must be \"replace\", \"none\" or \"unknown\"", {}};
    }
    return row;
}

}  // namespace korvexer::cli
