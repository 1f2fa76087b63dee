#pragma once
#include "db/DbTypes.h"

class ExchangeHost;

// The frame's commands that run a phone operation on the host's active table
// window, on the exchange worker behind the progress dialog.

// IDM_RECEIVE_PHONE: reads the active phone book, scheduler or memo table from the phone;
// its window closes for the transfer and opens again on the new contents.
void ReceiveActiveTable(ExchangeHost& host);
// IDM_WRITE_PHONE: writes the active phone book, scheduler or memo table to the phone.
void WriteActiveTable(ExchangeHost& host);
// IDM_GET_ALL and IDM_GET_SELECTED (the current row): copies the photos or movies of the
// active media table to the PC.
void DownloadMedia(ExchangeHost& host, bool all);

// The rows of the latest download command; they live until the next one.
extern RowSet DownloadRows;
