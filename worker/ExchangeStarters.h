#pragma once
#include "db/DbTypes.h"

// The frame's commands that run a phone operation on the active table
// window, on the exchange worker behind the progress dialog.

// 4039: reads the active phone book, scheduler or memo table from the phone;
// its window closes for the transfer and opens again on the new contents.
void ReceiveActiveTable();
// 4026: writes the active phone book, scheduler or memo table to the phone.
void WriteActiveTable();
// 4037 (all) and 4036 (the current row): copies the photos or movies of the
// active media table to the PC.
void DownloadMedia(bool all);

// The rows of the latest download command; they live until the next one.
extern RowSet DownloadRows;
