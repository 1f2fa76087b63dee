#include "worker/ExchangeStarters.h"

#include "common/AppMessages.h"
#include "db/Database.h"
#include "models/TableCatalogue.h"
#include "models/TableModel.h"
#include "phone/PhoneSession.h"
#include "worker/ExchangeHost.h"
#include "worker/MediaDownloadQuery.h"
#include "worker/RunExchange.h"

RowSet DownloadRows;

namespace {
bool IsMediaTable(int kind)
{
    return kind == kPhotoKind || kind == kMovieKind;
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

void ReceiveActiveTable(ExchangeHost& host)
{
    TableModel* model = host.ActiveModel();
    const auto read = model ? TableReadOf(model->Kind()) : std::nullopt;
    if (!read)
        return;
    const int kind = model->Kind();
    // Closing the window deletes the model with it.
    if (TableWindow* window = model->Window())
        window->Close();
    // It returns after the last record is stored, unless the program is
    // closing; then no window opens again.
    if (RunExchange(host, *read))
        host.OpenTable(kind);
}

void WriteActiveTable(ExchangeHost& host)
{
    const TableModel* model = host.ActiveModel();
    if (const auto write = model ? TableWriteOf(model->Kind()) : std::nullopt)
        RunExchange(host, *write);
}

void DownloadMedia(ExchangeHost& host, bool all)
{
    const TableModel* model = host.ActiveModel();
    if (!model || !IsMediaTable(model->Kind()))
        return;
    const int kind = model->Kind();
    SelectDownloadRows(*model, all);
    if (kind == kPhotoKind)
        RunExchange(host, PhotoDownload{&DownloadRows});
    else
        RunExchange(host, MovieDownload{&DownloadRows});
}
