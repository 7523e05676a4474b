// SPDX-License-Identifier: MIT
// Tests of the JSON forms: strings of GBK and UTF-8 bytes, the escape of undecodable bytes, and
// rows read back as they were written.
#include <gtest/gtest.h>

#include <string>

#include "cli/json_reader.h"
#include "cli/json_writer.h"
#include "cli/row_json.h"
#include "core/list/list_texts.h"

namespace korvexer::cli {
namespace {

TEST(JsonString, DecodesEachEncodingAndEscapesWhatDoesNotDecode) {
    struct Case {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
        std::string json;
    };
    const Case cases[] = {
        {"JSON's own escapes", "a\"b\\c\n\t\x01", TextEncoding::Gbk, R"("a\"b\\c\n\t\u0001")"},
        {"GBK text becomes UTF-8", "\xC4\xE3\xBA\xC3", TextEncoding::Gbk,
         "\"\xE4\xBD\xA0\xE5\xA5\xBD\""},
        {"UTF-8 text stays", "\xE4\xBD\xA0", TextEncoding::Utf8, "\"\xE4\xBD\xA0\""},
        {"a GBK byte 0xFF alone", "a\xFFz", TextEncoding::Gbk, R"("a\udcffz")"},
        // A lead byte whose second byte is ASCII: the ASCII byte stays itself.
        {"a GBK lead byte before a quote", "\xB0\"", TextEncoding::Gbk, R"("\udcb0\"")"},
        {"a cut UTF-8 sequence", "\xE4\xBD", TextEncoding::Utf8, R"("\udce4\udcbd")"},
        {"UTF-8 bytes read as GBK do not pass as Latin-1", "\xFF\xFE", TextEncoding::Gbk,
         R"("\udcff\udcfe")"},
        {"an overlong UTF-8 form", "\xC0\xAF", TextEncoding::Utf8, R"("\udcc0\udcaf")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string json = JsonString(c.bytes, c.encoding);
        EXPECT_EQ(json, c.json);
        // Reading it back gives the bytes again.
        Expected<std::map<std::string, JsonValue>> object = ReadJsonObject("{\"v\":" + json + "}");
        ASSERT_TRUE(object) << object.error().message;
        Expected<std::string> bytes = object->at("v").Bytes(c.encoding);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(*bytes, c.bytes);
    }
}

TEST(ReadJsonObject, RefusesWhatIsNoFlatObject) {
    for (const char* line :
         {"", "[1]", "{\"a\":[1]}", "{\"a\":1.5}", "{\"a\":1} x", "{\"a\" 1}", "{\"a\":\"open}"}) {
        EXPECT_FALSE(ReadJsonObject(line)) << line;
    }
    Expected<std::map<std::string, JsonValue>> object = ReadJsonObject(
        R"( {"n": -12, "t": true, "f": false, "z": null, "s": "\u00e9\ud83d\ude00"} )");
    ASSERT_TRUE(object) << object.error().message;
    EXPECT_EQ(object->at("n").number, -12);
    EXPECT_TRUE(object->at("t").truth);
    EXPECT_FALSE(object->at("f").truth);
    EXPECT_EQ(object->at("z").kind, JsonValue::Kind::Null);
    EXPECT_EQ(*object->at("s").Bytes(TextEncoding::Utf8), "\xC3\xA9\xF0\x9F\x98\x80");
}

TEST(StepRowJson, ReadsBackAsTheRowItWas) {
    const std::string replace(texts::kStateReplace);
    struct Case {
        std::vector<std::string> row;
        ListKind kind;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {{"1025", std::string(texts::kTypeString), "\xC4\xE3\x80", replace, "/p/\xD6\xD0.cpp",
          "12:4"},
         ListKind::Constants,
         TextEncoding::Gbk},
        {{"1026", std::string(texts::kTypeNumber), "64", "", "a.cpp", "3:8"},
         ListKind::Constants,
         TextEncoding::Utf8},
        {{"7", "strlen", "strlen_kx", replace, "b.pas", "20:12"},
         ListKind::Functions,
         TextEncoding::Utf8},
    };
    for (const Case& c : cases) {
        const std::string line = StepRowJson(c.row, c.kind, c.encoding).Line();
        Expected<std::map<std::string, JsonValue>> object = ReadJsonObject(line);
        ASSERT_TRUE(object) << line;
        Expected<std::string> path = JsonRowPath(*object);
        ASSERT_TRUE(path);
        Expected<std::vector<std::string>> row =
            StepRowFromJson(*object, c.kind, *path, c.encoding);
        ASSERT_TRUE(row) << row.error().message;
        EXPECT_EQ(*row, c.row) << line;
    }
    // A constant row is no call row, and a state must be one of the three words.
    const std::string constant =
        StepRowJson({"1", std::string(texts::kTypeNumber), "1", "", "a.cpp", "1:1"},
                    ListKind::Constants, TextEncoding::Gbk)
            .Line();
    EXPECT_FALSE(StepRowFromJson(*ReadJsonObject(constant), ListKind::Functions, "a.cpp",
                                 TextEncoding::Gbk));
    auto wrongState = ReadJsonObject(
        R"({"kind":"constant","state":"protect","file":"a.cpp","line":1,"column":1})");
    EXPECT_FALSE(StepRowFromJson(*wrongState, ListKind::Constants, "a.cpp", TextEncoding::Gbk));
}

}  // namespace
}  // namespace korvexer::cli
