#include "worker/ExchangeStarters.h"

#include "common/AppLink.h"
#include "common/AppMessages.h"
#include "db/Database.h"
#include "models/TableCatalogue.h"
#include "models/TableModel.h"
#include "phone/PhoneSession.h"
#include "worker/ExchangeOperation.h"
#include "worker/MediaDownloadQuery.h"
#include "worker/RunExchange.h"

RowSet DownloadRows;

namespace {
bool IsTextTable(int kind)
{
    return kind == kPhoneBookKind || kind == kSchedulerKind || kind == kMemoKind;
}

bool IsMediaTable(int kind)
{
    return kind == kPhotoKind || kind == kMovieKind;
}

// The active table window's model, or none.
TableModel* ActiveTable()
{
    return AppActiveModel();
}

// The grid window's current row, or none when the table has no such row.
const TextRow* CurrentRow(const TableModel& model)
{
    const TableWindow* window = model.Window();
    if (!window)
        return nullptr;
    const RowSet& rows = model.Rows();
    const int row = window->CurrentRow();
    if (row < 0 || static_cast<size_t>(row) >= rows.size())
        return nullptr;
    return &rows[static_cast<size_t>(row)];
}

void SelectDownloadRows(const TableModel& model, bool all)
{
    const MediaDownloadQuery query = BuildMediaDownloadQuery(model.Kind(), all, CurrentRow(model));
    DownloadRows.clear();
    if (!query.select)
        return;
    Database& database = TheDatabase();
    if (database.SelectRows(query.table, DownloadRows, query.whereColumn, query.whereValue, query.orderColumn))
        return;
    MessageBoxA(nullptr, database.LastMessage().c_str(), AppMessages[AppCaption], MB_OK);
    // Rows left from an earlier download must not be fetched again.
    DownloadRows.clear();
}
}  // namespace

void ReceiveActiveTable()
{
    TableModel* model = ActiveTable();
    if (!model || !IsTextTable(model->Kind()))
        return;
    const int kind = model->Kind();
    // Closing the window deletes the model with it.
    if (TableWindow* window = model->Window())
        window->Close();
    // It returns after the last record is stored, unless the program is
    // closing; then no window opens again.
    if (RunExchange(kind, nullptr))
        AppOpenTable(kind);
}

void WriteActiveTable()
{
    const TableModel* model = ActiveTable();
    if (!model || !IsTextTable(model->Kind()))
        return;
    RunExchange(model->Kind() + WriteCodeOffset, nullptr);
}

void DownloadMedia(bool all)
{
    const TableModel* model = ActiveTable();
    if (!model || !IsMediaTable(model->Kind()))
        return;
    const int kind = model->Kind();
    SelectDownloadRows(*model, all);
    RunExchange(kind, &DownloadRows);
}
