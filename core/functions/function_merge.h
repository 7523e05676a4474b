// SPDX-License-Identifier: MIT
// MergeFunctionRecord: the record's function rows merged into the calls a scan found.
#pragma once

#include "core/list/row_list.h"

namespace korvexer {

// Merges `record` (the main list's five-column rows: number, call name, substitute, file,
// position; compared exactly, without trimming) into `rows` (a scan's six-column call rows), in
// record order, so that each record row finds the place its substitution now has in the code. A
// record row takes, never a row taken by an earlier record row:
//   1. the "未知" call of its substitute at its place;
// and once every record row has looked at its place, each that found nothing there takes
//   2. the "未知" call of its substitute elsewhere in its file, the one nearest its line (lines
//      were inserted or removed above it);
//   3. the call at its place, when it is a call of the record row's own name (never substituted,
//      or put back by hand);
//   4. else it is appended, numbered after the last row, with its own place.
// A row taken gets the record row's call name and substitute and the state "替换", and keeps its
// number and the position the scan found; an appended row has the state "替换".
void MergeFunctionRecord(RowList& rows, const RowList& record);

}  // namespace korvexer
