// SPDX-License-Identifier: MIT
// The column layouts of list rows, the images of constant rows, and which list rows belong to.
#pragma once

#include <cstddef>

namespace korvexer {

// Which list the rows come from: the constant list or the function list.
enum class ListKind { Constants = 0, Functions = 1 };

// The six columns of a step dialog's rows, as the scanner makes them: constant rows and call rows
// have the same layout, so what works on either list (the rewrite, the record checks) reads both.
enum StepColumn : std::size_t {
    kStepKey = 0,    // constant: index; call: running number
    kStepName = 1,   // constant: type ("字符串" or "数值"); call: the called function's name
    kStepValue = 2,  // constant: value; call: the substitute's name
    kStepState = 3,  // "替换", "未知" or empty
    kStepFile = 4,   // the source file
    kStepPosition = 5,  // "line:column" in the source file
    kStepColumnCount = 6,
};

// The five columns of the main window's two lists and of the record's entries: a step row without
// its state.
enum MainColumn : std::size_t {
    kMainKey = 0,       // constant: index; function: number from 1
    kMainName = 1,      // constant: type; function: the called function's name
    kMainValue = 2,     // constant: value; function: the substitute's name
    kMainFile = 3,      // the source file
    kMainPosition = 4,  // "line:column" in the source file
    kMainColumnCount = 5,
};

// The images of constant rows, by their type; call and function rows always have image 0.
inline constexpr int kNumericImage = 1;      // a step row of type "数值"
inline constexpr int kStringImage = 2;       // a step row of type "字符串"
inline constexpr int kMainStringImage = 0;   // a main-list row of type "字符串"
inline constexpr int kMainNumericImage = 1;  // a main-list row of type "数值"

}  // namespace korvexer
