#include "models/MemoModel.h"
#include "models/MovieModel.h"
#include "models/PhoneBookModel.h"
#include "models/PhotoModel.h"
#include "models/SchedulerModel.h"

std::unique_ptr<TableModel> CreateTableModel(int kind)
{
    switch (kind) {
    case kPhoneBookKind: return std::make_unique<PhoneBookModel>();
    case kSchedulerKind: return std::make_unique<SchedulerModel>();
    case kMemoKind: return std::make_unique<MemoModel>();
    case kPhotoKind: return std::make_unique<PhotoModel>();
    case kMovieKind: return std::make_unique<MovieModel>();
    default: return nullptr;
    }
}
