#pragma once
#include <string>

#include "db/DbTypes.h"

// Decodes an assembled photo or movie and writes it to "Images" (photos) or
// "Moves" (movies) under the current directory, named after the row (tag,
// name, size, index), replacing a file of that name. The folder is made
// when missing. False when the file could not be written; nothing is shown.
bool SaveMediaFile(const std::string& assembled, const TextRow& row, bool movies);
