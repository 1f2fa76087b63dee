#pragma once
#include "db/DbTypes.h"

class PhoneSession;
class TransferHost;

// Photos and movies from the phone to the PC, on the exchange worker behind
// the progress dialog. For every row of `rows` (tag, name, size, index), in
// order, the file is fetched block by block, its size cell set to the
// length received, and the file saved under "Images" or "Moves" in the
// current directory. A file the phone refuses (deleted since the list was
// read), does not end, or ends in silence is reported and not saved, and so
// is one that cannot be written; the next row follows.
void DownloadPhotos(PhoneSession& session, RowSet& rows, TransferHost& host);
void DownloadMovies(PhoneSession& session, RowSet& rows, TransferHost& host);
