#include "worker/ProgressText.h"

#include <climits>

#include "common/Decimal.h"
#include "worker/ExchangeOperation.h"

namespace {
const std::string& Element(const TextRow& row, std::size_t index)
{
    static const std::string empty;
    return index < row.size() ? row[index] : empty;
}
}  // namespace

std::string ProgressInitialText(int code)
{
    switch (static_cast<ExchangeOperation>(code)) {
    case ExchangeOperation::WritePhoneBook:
    case ExchangeOperation::WriteScheduler:
    case ExchangeOperation::WriteMemos:
        return "Удаление старых записей";
    case ExchangeOperation::SendSms:
        return "Процесс отправки SMS...";
    default:
        return {};
    }
}

bool ProgressBarShown(int code)
{
    return code != static_cast<int>(ExchangeOperation::SendSms);
}

std::string ProgressItemText(const TextRow& item)
{
    const std::string& name = Element(item, 1);
    if (name.empty())
        return "Процесс обмена данными с телефоном...";
    return "Процесс загрузки файла " + name + "_" + Element(item, 0);
}

int ProgressRangeEnd(const TextRow& item)
{
    const long long value = ReadDecimal(Element(item, 2));
    if (value < 0)
        return 0;
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}
