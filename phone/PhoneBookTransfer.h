#pragma once

class PhoneSession;
class TransferHost;

// The phone book between the phone and table phbook, on the exchange worker
// behind the progress dialog.

// Empties phbook and fills it with every entry the phone holds, one row per
// position found, the position as its id. A failed exchange ends the read
// with an error box; the rows read so far stay.
void ReadPhoneBook(PhoneSession& session, TransferHost& host);

// Erases the phone's phone book and writes every named row of the active
// phone book window back; a refused row is listed and the write goes on.
void WritePhoneBook(PhoneSession& session, TransferHost& host);
