#include "phone/TransferTable.h"

#include <windows.h>

#include "app/Application.h"
#include "grid/GridWindow.h"
#include "models/TableModel.h"
#include "phone/PhoneStamp.h"
#include "worker/ProgressDialog.h"

TableModel* ActiveTableOf(TableKind kind)
{
    Application* app = TheApp;
    TableModel* model = app ? app->ActiveModel() : nullptr;
    return model && model->Kind() == kind ? model : nullptr;
}

bool FillEmptyStamp(std::string& cell)
{
    if (!cell.empty())
        return false;
    cell = FormatPhoneStamp(0);
    return true;
}

void RedrawTable(const TableModel& model)
{
    if (const GridWindow* grid = model.Grid())
        InvalidateRect(grid->Handle(), nullptr, FALSE);
}

void AnnounceRecordCount(long long count)
{
    SendProgressItem(TextRow{"", "", std::to_string(count)});
}
