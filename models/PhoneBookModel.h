#pragma once
#include "models/DatabaseTableModel.h"

// The phone book window (table phbook); records count from id 1.
class PhoneBookModel : public DatabaseTableModel {
public:
    explicit PhoneBookModel(const TableWindowMaker& makeWindow) : DatabaseTableModel(kPhoneBookKind, makeWindow) { Present(); }
};
