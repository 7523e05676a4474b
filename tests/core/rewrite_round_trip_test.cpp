// SPDX-License-Identifier: MIT
// The round trip on real code: a copy of a sample of the Free Pascal sources.
#include <gtest/gtest.h>
#include <unistd.h>

#include "core/language/language_defaults.h"
#include "tests/support/round_trip.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

constexpr const char* kPascalSources = "/usr/share/fpcsrc";

TEST(RewriteRoundTrip, PascalSourcesComeBackAsTheyWere) {
    if (::access(kPascalSources, R_OK) != 0) GTEST_SKIP() << kPascalSources << " is not installed";
    test_support::TempDir copy;
    // The run-time library's include files hold many constant assignments in both line-break
    // styles; the first 60 in name order keep the test short.
    std::vector<std::string> files =
        test_support::CopySources(kPascalSources, copy.path(), {".inc", ".pp", ".pas"}, 60);
    if (files.empty()) GTEST_SKIP() << kPascalSources << " holds no Pascal sources";
    ASSERT_EQ(files.size(), 60u);
    LanguageDefinition language = LoaderDefaults(3);
    language.carryreturn = {'\n', 0};
    test_support::RoundTripReport report = test_support::RoundTrip(files, language);
    EXPECT_GT(report.rows, 100u);
    EXPECT_GT(report.changedFiles, 10u);
    for (const std::string& problem : report.problems) ADD_FAILURE() << problem;
}

}  // namespace
}  // namespace korvexer
