#pragma once
#include "models/GenericTableModel.h"

// The movie list of the phone (table camera), read from the phone when the
// window opens; edits stay in the window.
class MovieModel : public GenericTableModel {
public:
    explicit MovieModel(const TableWindowMaker& makeWindow) : GenericTableModel(kMovieKind, makeWindow) { Present(); }
};
