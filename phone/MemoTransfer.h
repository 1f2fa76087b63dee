#pragma once

class PhoneSession;
class TransferHost;

// The memos between the phone and table memo, on the exchange worker behind
// the progress dialog.

// Empties memo and fills it from the phone's ten positions, the position as
// the row's id.
void ReadMemos(PhoneSession& session, TransferHost& host);

// Erases the phone's memos and writes every row of the active memo window
// that has a text; a refused row is listed and the write goes on.
void WriteMemos(PhoneSession& session, TransferHost& host);
