#pragma once
#include "models/DatabaseTableModel.h"

// The memo window (table memo); records count from id 0.
class MemoModel : public DatabaseTableModel {
public:
    explicit MemoModel(const TableWindowMaker& makeWindow) : DatabaseTableModel(kMemoKind, makeWindow) { Present(); }
};
