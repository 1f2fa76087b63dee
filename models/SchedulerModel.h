#pragma once
#include "models/DatabaseTableModel.h"

// The scheduler window (table sched); records count from id 0.
class SchedulerModel : public DatabaseTableModel {
public:
    explicit SchedulerModel(const TableWindowMaker& makeWindow) : DatabaseTableModel(kSchedulerKind, makeWindow) { Present(); }
};
