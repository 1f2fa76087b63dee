#include "models/ColumnSpec.h"

#include "common/Decimal.h"

namespace {
const std::string& CellOf(const TextRow& row, std::size_t index)
{
    static const std::string empty;
    return index < row.size() ? row[index] : empty;
}
}  // namespace

ColumnSpec DescribeColumn(const TextRow& description)
{
    ColumnSpec column;
    column.title = CellOf(description, 0);
    column.editorKind = ReadDecimalInt(CellOf(description, 1));
    column.widthDivisor = ReadDecimalInt(CellOf(description, 2));
    return column;
}

std::string LookupTableOf(const TextRow& description)
{
    if (ReadDecimalInt(CellOf(description, 1)) != kDropDownEditor)
        return {};
    return CellOf(description, 3);
}
