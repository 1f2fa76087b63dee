#pragma once
// What the progress dialog of a phone exchange shows, worked out from the
// operation code and from the rows the operations report.

#include <string>

#include "db/DbTypes.h"

// The line shown when the dialog opens for `code`: empty for most codes.
std::string ProgressInitialText(int code);
// False for the SMS, which has nothing to count.
bool ProgressBarShown(int code);

// The line for a reported item: element 1 is a file name (empty for record
// transfers), element 0 its tag. Missing elements count as empty.
std::string ProgressItemText(const TextRow& item);
// The end of the bar's range: element 2 as a decimal number, 0 when it is
// not one or is negative, the largest int when it is too big.
int ProgressRangeEnd(const TextRow& item);
