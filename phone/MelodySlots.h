#pragma once
#include <vector>
#include <string>

#include "db/DbTypes.h"

// The phone's three own melody places are the three melodies that follow
// "My Bell 3" in its list. The list's names keep the CR the phone ends each
// line with, so names are compared and shown without one trailing CR.

// The names of the three places out of table musik's rows in mus_id order
// (number, name); "Пусто" where no row follows.
std::vector<std::string> MelodySlotNames(const RowSet& melodies);

// The three texts of the dialog's box, place k (from 1) as "k. <name>", or
// "k. My Melody k (нет)" when `names` has no k-th name.
std::vector<std::string> MelodySlotItems(const std::vector<std::string>& names);
