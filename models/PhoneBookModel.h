#pragma once
#include "models/DatabaseTableModel.h"

// The phone book window (table phbook); records count from id 1.
class PhoneBookModel : public DatabaseTableModel {
public:
    PhoneBookModel() : DatabaseTableModel(kPhoneBookKind) { Present(); }
};
