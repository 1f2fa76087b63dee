#include "phone/MelodySlots.h"

namespace {
std::string WithoutTrailingCr(const std::string& name)
{
    if (!name.empty() && name.back() == '\r')
        return name.substr(0, name.size() - 1);
    return name;
}

std::string NameOf(const TextRow& row)
{
    return row.size() > 1 ? WithoutTrailingCr(row[1]) : std::string();
}
}  // namespace

std::vector<std::string> MelodySlotNames(const RowSet& melodies)
{
    std::size_t bell = 0;
    while (bell < melodies.size() && NameOf(melodies[bell]) != "My Bell 3")
        ++bell;
    std::vector<std::string> names(3);
    for (std::size_t j = 1; j <= names.size(); ++j) {
        const std::size_t at = bell + j;
        names[j - 1] = at < melodies.size() ? NameOf(melodies[at]) : "Пусто";
    }
    return names;
}

std::vector<std::string> MelodySlotItems(const std::vector<std::string>& names)
{
    std::vector<std::string> items;
    for (std::size_t k = 1; k <= 3; ++k) {
        const std::string number = std::to_string(k);
        items.push_back(k <= names.size() ? number + ". " + names[k - 1]
                                          : number + ". My Melody " + number + " (нет)");
    }
    return items;
}
