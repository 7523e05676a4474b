// SPDX-License-Identifier: MIT
// Tests of the language dialog's fields: defaults, stored forms and their round trip.
#include "core/language/language_dialog_fields.h"

#include <string>

#include <gtest/gtest.h>

#include "core/language/language_defaults.h"
#include "core/language/language_store.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;

LanguageDialogFields FromDefaults(std::int32_t index) {
    LanguageDialogFields fields;
    LoadDialogFields(nullptr, index, fields);
    return fields;
}

TEST(LoadDialogFields, NegativeIndexChangesNothing) {
    LanguageDialogFields fields = FromDefaults(4);
    LanguageDialogFields before = fields;
    LoadDialogFields(nullptr, -1, fields);
    EXPECT_EQ(fields, before);
    TempDir dir;
    WriteBytes(dir.File("k.ini"), "[language_6]\r\nhexprefix=x\r\n");
    ProfileStore store(FileSystem::Real(), dir.File("k.ini"));
    LoadDialogFields(&store, -8, fields);
    EXPECT_EQ(fields, before);
}

TEST(LoadDialogFields, DefaultsInFieldForm) {
    LanguageDialogFields basic = FromDefaults(1);
    EXPECT_EQ(basic.begindealmark, "private;public;sub;function;");
    EXPECT_EQ(basic.linendchar, "");  // no terminator shows as an empty field
    EXPECT_EQ(basic.onelineexplain, "'");
    EXPECT_EQ(basic.assignmentChoice, 0);
    EXPECT_EQ(basic.quoteChoice, 0);
    EXPECT_TRUE(basic.crTicked && basic.lfTicked);

    LanguageDialogFields delphi = FromDefaults(10);
    EXPECT_EQ(delphi.assignmentChoice, 1);
    EXPECT_EQ(delphi.quoteChoice, 1);
    EXPECT_EQ(delphi.filesubfix, ".pas;");
    EXPECT_EQ(delphi.linendchar, ";");
    EXPECT_EQ(delphi.separator, ",");
    EXPECT_EQ(delphi.escapechar, "\\");

    EXPECT_EQ(FromDefaults(2).quoteChoice, 0);  // the dialog's Visual FoxPro quote is '"'

    // A file without the section shows the same as the defaults alone.
    TempDir dir;
    ProfileStore missing(FileSystem::Real(), dir.File("none.ini"));
    for (std::int32_t index = 0; index < 7; ++index) {
        LanguageDialogFields fields;
        LoadDialogFields(&missing, index, fields);
        EXPECT_EQ(fields, FromDefaults(index)) << index;
    }
}

TEST(LoadDialogFields, StoredFormsToFieldForms) {
    TempDir dir;
    WriteBytes(dir.File("k.ini"),
               "[language_0]\r\nsetvalue===\r\nquotation=96\r\ncarryreturn=nnrr\r\n"
               "linendchar=-80\r\nseparator=0\r\nescapechar=x\r\n"
               "[language_1]\r\nsetvalue=:=\r\nquotation=34\r\ncarryreturn=\r\n"
               "[language_2]\r\ncarryreturn=nn\r\nquotation=39\r\n");
    ProfileStore store(FileSystem::Real(), dir.File("k.ini"));
    LanguageDialogFields fields;
    LoadDialogFields(&store, 0, fields);
    EXPECT_EQ(fields.assignmentChoice, 1);  // anything but "=" is ":="
    EXPECT_EQ(fields.quoteChoice, 1);       // anything but 34 is the single quote
    EXPECT_TRUE(fields.crTicked && fields.lfTicked);
    EXPECT_EQ(fields.linendchar, "\xB0");
    EXPECT_EQ(fields.separator, "");
    EXPECT_EQ(fields.escapechar, "");  // not a number reads as 0
    LoadDialogFields(&store, 1, fields);
    EXPECT_EQ(fields.assignmentChoice, 1);
    EXPECT_EQ(fields.quoteChoice, 0);
    EXPECT_FALSE(fields.crTicked || fields.lfTicked);
    LoadDialogFields(&store, 2, fields);
    EXPECT_FALSE(fields.crTicked);
    EXPECT_TRUE(fields.lfTicked);
    EXPECT_EQ(fields.quoteChoice, 1);

    // The loader reads the same 96 as the quote byte itself.
    LanguageDefinition record;
    LoadLanguageDefinition(0, record, &store);
    EXPECT_EQ(record.quotation, 96);
}

TEST(SaveDialogFields, WritesSixteenKeysInOrderAndStoredForm) {
    TempDir dir;
    ProfileStore store(FileSystem::Real(), dir.File("k.ini"));
    ASSERT_TRUE(SaveDialogFields(store, 3, FromDefaults(3)));
    EXPECT_EQ(ReadBytes(dir.File("k.ini")),
              "[language_3]\r\n"
              "filesubfix=.pas;\r\n"
              "begindealmark=implementation;\r\n"
              "functionbegin=class;procedure;function;\r\n"
              "functionend=end;\r\n"
              "setvalue=:=\r\n"
              "quotation=39\r\n"
              "linendchar=59\r\n"
              "carryreturn=rrnn\r\n"
              "separator=44\r\n"
              "escapechar=92\r\n"
              "definevalue=class;procedure;function;var;integer;string;char;byte;long;real;"
              "const;\r\n"
              "onelineexplain=//\r\n"
              "multilinenote_begin={\r\n"
              "multilinenote_end=}\r\n"
              "hexprefix=$;\r\n"
              "numbersubfix=\r\n");
}

TEST(SaveDialogFields, RoundTripsThroughDialogAndLoader) {
    struct Case {
        const char* name;
        LanguageDialogFields fields;
        LineBreak lineBreak;
    };
    LanguageDialogFields edited = FromDefaults(5);
    edited.assignmentChoice = 1;
    edited.quoteChoice = 1;
    edited.linendchar = "\xB0";  // a byte above 127 is stored as a negative code
    edited.separator = "";
    edited.escapechar = "^";
    edited.crTicked = true;
    edited.lfTicked = false;
    edited.hexprefix = "\xB0\xA1;";
    LanguageDialogFields lfOnly = FromDefaults(0);
    lfOnly.crTicked = false;
    LanguageDialogFields none = FromDefaults(0);
    none.crTicked = none.lfTicked = false;
    const std::vector<Case> cases = {
        {"edited", edited, {13, 0}},
        {"lf only", lfOnly, {10, 0}},
        {"no line break", none, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        ProfileStore store(FileSystem::Real(), dir.File("k.ini"));
        ASSERT_TRUE(SaveDialogFields(store, 12, c.fields));  // 12 is base 5
        LanguageDialogFields back;
        LoadDialogFields(&store, 5, back);
        EXPECT_EQ(back, c.fields);

        LanguageDefinition record;
        LoadLanguageDefinition(5, record, &store);
        EXPECT_EQ(record.setvalue, c.fields.assignmentChoice == 0 ? "=" : ":=");
        EXPECT_EQ(record.quotation, c.fields.quoteChoice == 0 ? 34 : 39);
        EXPECT_EQ(record.carryreturn, c.lineBreak);
        auto byteOf = [](const std::string& text) {
            return text.empty() ? 0 : static_cast<unsigned char>(text[0]);
        };
        EXPECT_EQ(record.linendchar, byteOf(c.fields.linendchar));
        EXPECT_EQ(record.separator, byteOf(c.fields.separator));
        EXPECT_EQ(record.escapechar, byteOf(c.fields.escapechar));
        EXPECT_EQ(record.hexprefix, c.fields.hexprefix);
        EXPECT_EQ(record.definevalue, c.fields.definevalue);
    }
}

TEST(SaveDialogFields, FailuresAreReturned) {
    TempDir dir;
    // A folder that cannot be made: a file stands in its place.
    WriteBytes(dir.File("no"), "");
    ProfileStore inMissingFolder(FileSystem::Real(), dir.File("no/such/k.ini"));
    EXPECT_FALSE(SaveDialogFields(inMissingFolder, 0, FromDefaults(0)));

    ProfileStore store(FileSystem::Real(), dir.File("k.ini"));
    EXPECT_FALSE(SaveDialogFields(store, -1, FromDefaults(0)));
    EXPECT_FALSE(FileSystem::Real().Exists(dir.File("k.ini")));
}

}  // namespace
}  // namespace korvexer
