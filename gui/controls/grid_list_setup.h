// SPDX-License-Identifier: MIT
// GridListSetup: the configuration of each grid list of the program, as data its owner picks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gui/controls/row_style_ring.h"

namespace korvexer::gui {

// Which hand-drawn image strip a list shows.
enum class ImageStripKind { Letters, Discs };

struct ColumnSetup {
    std::string heading;  // GBK
    int width = 0;        // pixels
};

struct RuleSetup {
    std::string key;               // GBK
    std::optional<RgbColor> text;  // none: the list's default text colour
    RgbColor background;
    int image = 0;
};

// Everything a grid list is configured with before rows are shown.
struct GridListSetup {
    ImageStripKind strip = ImageStripKind::Letters;
    bool singleSelection = true;
    std::vector<ColumnSetup> columns;
    int colourKeyColumn = -1;  // -1: no colour rules apply
    int imageKeyColumn = -1;   // -1: every row shows image 0
    std::vector<RuleSetup> rules;
    // The columns that hold a source file's own bytes (a constant's value, a call's name and
    // substitute) and the column of the file's path; the owner tells the list the files'
    // encodings (RowListModel::SetEncodingLookup).
    std::vector<int> fileTextColumns;
    int filePathColumn = -1;
};

// The constant list of the constant step: six columns, several rows selectable, colours by
// state and images by type.
GridListSetup ConstantDialogSetup();
// The call list of the function step: six columns, colours and images by state.
GridListSetup FunctionDialogSetup();
// The main window's constant list: five columns, colours and images by type.
GridListSetup MainConstantSetup();
// The main window's function list: five columns, no rules.
GridListSetup MainFunctionSetup();

}  // namespace korvexer::gui
