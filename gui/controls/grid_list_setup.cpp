// SPDX-License-Identifier: MIT
// The column, selection and rule tables of the four grid lists.
#include "gui/controls/grid_list_setup.h"

#include "core/list/list_texts.h"
#include "core/list/row_layouts.h"

namespace korvexer::gui {

namespace {

// Headings in GBK.
const char* const kIndex = "\xCB\xF7\xD2\xFD\xBA\xC5";               // 索引号
const char* const kType = "\xC0\xE0\xD0\xCD";                        // 类型
const char* const kValue = "\xD4\xAD\xB3\xA3\xC1\xBF\xD6\xB5";       // 原常量值
const char* const kState = "\xD7\xB4\xCC\xAC";                       // 状态
const char* const kFile = "\xCE\xC4\xBC\xFE\xC3\xFB";                // 文件名
const char* const kPosition = "\xCB\xF9\xD4\xDA\xD0\xD0";            // 所在行
const char* const kNumber = "\xD0\xF2\xBA\xC5";                      // 序号
const char* const kCall = "\xD4\xAD\xBA\xAF\xCA\xFD";                // 原函数
const char* const kSubstitute = "\xCC\xE6\xBB\xBB\xBA\xAF\xCA\xFD";  // 替换函数

constexpr RgbColor kBlue{0, 0, 255};
constexpr RgbColor kRed{255, 0, 0};
constexpr RgbColor kWhite{255, 255, 255};
constexpr RgbColor kLightYellow{220, 220, 156};
constexpr RgbColor kLightGreen{156, 220, 156};
constexpr RgbColor kDarkGreen{108, 156, 108};

std::string Text(std::string_view text) {
    return std::string(text);
}

}  // namespace

GridListSetup ConstantDialogSetup() {
    GridListSetup setup;
    setup.strip = ImageStripKind::Letters;
    setup.singleSelection = false;
    setup.columns = {{kIndex, 80}, {kType, 70},  {kValue, 86},
                     {kState, 60}, {kFile, 160}, {kPosition, 70}};
    setup.colourKeyColumn = 3;
    setup.imageKeyColumn = 1;
    setup.fileTextColumns = {kStepValue};
    setup.filePathColumn = kStepFile;
    setup.rules = {
        {Text(texts::kTypeString), std::nullopt, kLightYellow, 0},
        {Text(texts::kTypeNumber), std::nullopt, kWhite, 1},
        {Text(texts::kStateReplace), kBlue, kLightGreen, 1},
        {Text(texts::kStateUnknown), kBlue, kRed, 1},
    };
    return setup;
}

GridListSetup FunctionDialogSetup() {
    GridListSetup setup;
    setup.strip = ImageStripKind::Discs;
    setup.singleSelection = true;
    setup.columns = {{kNumber, 55}, {kCall, 120}, {kSubstitute, 120},
                     {kState, 60},  {kFile, 100}, {kPosition, 100}};
    setup.colourKeyColumn = 3;
    setup.imageKeyColumn = 3;
    setup.fileTextColumns = {kStepName, kStepValue};
    setup.filePathColumn = kStepFile;
    setup.rules = {
        {Text(texts::kStateReplace), std::nullopt, kLightYellow, 0},
        {Text(texts::kStateUnknown), std::nullopt, kRed, 0},
        {"", std::nullopt, kWhite, 1},
    };
    return setup;
}

GridListSetup MainConstantSetup() {
    GridListSetup setup;
    setup.strip = ImageStripKind::Letters;
    setup.singleSelection = true;
    setup.columns = {{kIndex, 80}, {kType, 70}, {kValue, 90}, {kFile, 150}, {kPosition, 50}};
    setup.colourKeyColumn = 1;
    setup.imageKeyColumn = 1;
    setup.fileTextColumns = {kMainValue};
    setup.filePathColumn = kMainFile;
    setup.rules = {
        {Text(texts::kTypeString), std::nullopt, kDarkGreen, 0},
        {Text(texts::kTypeNumber), std::nullopt, kWhite, 1},
    };
    return setup;
}

GridListSetup MainFunctionSetup() {
    GridListSetup setup;
    setup.strip = ImageStripKind::Discs;
    setup.singleSelection = true;
    setup.columns = {
        {kNumber, 50}, {kCall, 120}, {kSubstitute, 160}, {kFile, 150}, {kPosition, 50}};
    setup.colourKeyColumn = -1;
    setup.imageKeyColumn = -1;
    setup.fileTextColumns = {kMainName, kMainValue};
    setup.filePathColumn = kMainFile;
    return setup;
}

}  // namespace korvexer::gui
