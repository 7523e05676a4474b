// SPDX-License-Identifier: MIT
// Tests of trimming: the six blanks, long runs of spaces, and the settings file's own sets.
#include "core/platform/text_trim.h"

#include <string>

#include <gtest/gtest.h>

namespace korvexer {
namespace {

TEST(TrimBlanks, AllSixBlanks) {
    EXPECT_EQ(TrimLeadingBlanks(" \t\r\n\v\fa b \f"), "a b \f");
    EXPECT_EQ(TrimTrailingBlanks(" a b \t\r\n\v\f"), " a b");
    EXPECT_EQ(TrimLeadingBlanks(" \v "), "");
    EXPECT_EQ(TrimTrailingBlanks(""), "");
    EXPECT_EQ(TrimBlanks("\f x\ty \r\n"), "x\ty");
}

TEST(TrimBlanks, RunsOfSpacesAroundOtherBlanks) {
    // Eight spaces at a time, then byte by byte: a tab amid the spaces must not stop the cut, and
    // a text that is all spaces leaves nothing.
    const std::string spaces(19, ' ');
    const struct {
        std::string text;
        std::size_t leading;
        std::string right;
    } cases[] = {
        {"", 0, ""},
        {spaces, 19, ""},
        {spaces + "\t" + spaces + "x" + spaces, 39, spaces + "\t" + spaces + "x"},
        {"x" + spaces + "\t" + spaces, 0, "x"},
        {"\xB0\xA1" + spaces, 0, "\xB0\xA1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CountLeadingBlanks(c.text), c.leading) << "[" << c.text << "]";
        EXPECT_EQ(TrimBlanksRight(c.text), c.right) << "[" << c.text << "]";
    }
}

TEST(TrimBytes, OnlyTheGivenBytes) {
    EXPECT_EQ(TrimBytes(" \tkey \t", " \t"), "key");
    EXPECT_EQ(TrimBytes("\v value \v", " "), "\v value \v");
    EXPECT_EQ(TrimBytes("   ", " "), "");
    EXPECT_EQ(TrimBytesRight(" a  ", " "), " a");
    EXPECT_EQ(TrimBytesRight("", " "), "");
}

}  // namespace
}  // namespace korvexer
