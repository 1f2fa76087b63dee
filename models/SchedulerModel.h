#pragma once
#include "models/DatabaseTableModel.h"

// The scheduler window (table sched); records count from id 0.
class SchedulerModel : public DatabaseTableModel {
public:
    SchedulerModel() : DatabaseTableModel(kSchedulerKind) { Present(); }
};
