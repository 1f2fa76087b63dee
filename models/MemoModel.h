#pragma once
#include "models/DatabaseTableModel.h"

// The memo window (table memo); records count from id 0.
class MemoModel : public DatabaseTableModel {
public:
    MemoModel() : DatabaseTableModel(kMemoKind) { Present(); }
};
