// SPDX-License-Identifier: MIT
// RoundTrip: scan files for constants, apply every row, apply again, take every row back, and
// check that each file is what it was.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/language/language_definition.h"

namespace korvexer::test_support {

struct RoundTripReport {
    std::size_t files = 0;
    std::size_t rows = 0;          // rows the scan listed
    std::size_t changedFiles = 0;  // files the first apply rewrote
    double scanSeconds = 0, applySeconds = 0, reapplySeconds = 0, takeBackSeconds = 0;
    std::vector<std::string> problems;  // empty when every check held
};

// Works on `files` in place (callers pass copies). Every constant row the scan lists is applied;
// a second apply of the same list must write nothing; taking every row back must give each file
// its original bytes.
RoundTripReport RoundTrip(const std::vector<std::string>& files,
                          const LanguageDefinition& language);

// Copies the regular files below `from` whose names end with one of `suffixes` to the same
// relative paths below `to`, at most `limit` of them in name order. Returns the copies.
std::vector<std::string> CopySources(const std::string& from, const std::string& to,
                                     const std::vector<std::string>& suffixes, std::size_t limit);

}  // namespace korvexer::test_support
