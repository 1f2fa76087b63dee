#include "worker/ProgressText.h"

#include <climits>

#include "worker/ExchangeOperation.h"

namespace {
const std::string& Element(const TextRow& row, std::size_t index)
{
    static const std::string empty;
    return index < row.size() ? row[index] : empty;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
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
    const std::string& text = Element(item, 2);
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX)
            return negative ? 0 : INT_MAX;
    }
    return negative ? 0 : static_cast<int>(value);
}
