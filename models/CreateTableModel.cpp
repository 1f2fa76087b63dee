#include <new>

#include "models/MemoModel.h"
#include "models/MovieModel.h"
#include "models/PhoneBookModel.h"
#include "models/PhotoModel.h"
#include "models/SchedulerModel.h"

namespace {
std::unique_ptr<TableModel> MakeModel(int kind, const TableWindowMaker& makeWindow)
{
    switch (kind) {
    case kPhoneBookKind: return std::make_unique<PhoneBookModel>(makeWindow);
    case kSchedulerKind: return std::make_unique<SchedulerModel>(makeWindow);
    case kMemoKind: return std::make_unique<MemoModel>(makeWindow);
    case kPhotoKind: return std::make_unique<PhotoModel>(makeWindow);
    case kMovieKind: return std::make_unique<MovieModel>(makeWindow);
    default: return nullptr;
    }
}
}  // namespace

std::unique_ptr<TableModel> CreateTableModel(int kind, const TableWindowMaker& makeWindow)
{
    // A table too large for memory opens no window; the frame's window
    // procedure must not see the exception. A model that had made its window
    // closes it again as it unwinds.
    try {
        return MakeModel(kind, makeWindow);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
