#pragma once
#include "db/DbTypes.h"

// Lists a row the phone refused: a box with the caption "Отладка", no owner
// and no icon, every cell of the row on a line of its own.
void ShowRowDebug(const TextRow& row);
