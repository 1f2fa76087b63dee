#pragma once
#include <string>
#include <vector>

class PhoneSession;
class TransferHost;

// The scheduler between the phone and table sched, on the exchange worker
// behind the progress dialog. An entry's melody travels as a number on the
// phone and as a name in the table, translated through table musik.

// Fills `choices` with the values the phone lists for an entry's code; empty
// (after a warning) when the phone does not answer.
void QuerySchedulerChoices(PhoneSession& session, std::vector<std::string>& choices);

// Empties sched and fills it from the phone's 50 positions, the position as
// the row's id.
void ReadScheduler(PhoneSession& session, TransferHost& host);

// Erases the phone's scheduler and writes every row of the active scheduler
// window that has a start; a refused row is dropped after a short pause.
void WriteScheduler(PhoneSession& session, TransferHost& host);
