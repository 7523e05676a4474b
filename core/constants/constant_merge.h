// SPDX-License-Identifier: MIT
// MergeConstantRecord: the record's constant rows merged into the rows a scan found.
#pragma once

#include "core/list/row_list.h"

namespace korvexer {

// Merges `record` (the main list's five-column rows: index, type, value, file, position; file and
// position without their trailing blanks) into `rows` (a scan's six-column rows), in record order,
// so that each record row finds the place its replacement now has in the code. A record row with
// a file and a position takes, never a row taken by an earlier record row:
//   1. the "未知" accessor call of its index at its place;
//   2. the "未知" accessor call of its index elsewhere in its file (lines were inserted or
//      removed above it), the one nearest its line;
// and once every record row has looked for its call, each that found none takes
//   3. a scanned literal of its type and value at its place moved by as many lines as the call
//      recorded nearest above it in its file moved (none above: the nearest below), else as the
//      nearest below it moved, else at its own place: a value that was never rewritten, such as
//      a hexadecimal one, or that was put back by hand;
//   4. else it is appended at the first of those places, so the record follows the code.
// A record row without a file or a position takes the first row not yet taken whose index is its
// own, else it is appended. A row taken gets the record row's index, type and value and the state
// "替换", and keeps the position the scan found; an appended row has the state "替换".
void MergeConstantRecord(RowList& rows, const RowList& record);

}  // namespace korvexer
