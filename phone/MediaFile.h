#pragma once
#include <string>

#include "db/DbTypes.h"

// Decodes an assembled photo or movie and writes it to "Images" (photos) or
// "Moves" (movies) under the current directory, named after the row (tag,
// name, size, index), replacing a file of that name. The folder is made
// when missing. `path` is set to the file's path. False when the file could
// not be written whole; then no part of it is left.
bool SaveMediaFile(const std::string& assembled, const TextRow& row, bool movies, std::string& path);
