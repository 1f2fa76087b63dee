#pragma once
#include "models/GenericTableModel.h"

// The photo list of the phone (table photo), read from the phone when the
// window opens; edits stay in the window.
class PhotoModel : public GenericTableModel {
public:
    explicit PhotoModel(const TableWindowMaker& makeWindow) : GenericTableModel(kPhotoKind, makeWindow) { Present(); }
};
