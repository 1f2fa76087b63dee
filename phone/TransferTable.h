#pragma once
#include <string>

#include "models/TableCatalogue.h"

class TableModel;

// What the table writers need of the open table window, from the exchange
// worker while the modal progress dialog keeps the user out of it.

// The model of the active table window when that window shows `kind`; none
// otherwise (a write of one table never sends another table's rows).
TableModel* ActiveTableOf(TableKind kind);

// An empty time stamp cell of a row about to be written gets the current
// time; only the window's row changes, the database keeps its empty cell.
// True when the cell was filled.
bool FillEmptyStamp(std::string& cell);

// Has the table window draw its cells again, so that filled stamps show.
void RedrawTable(const TableModel& model);

// Tells the progress dialog how many records the operation walks through.
void AnnounceRecordCount(long long count);
