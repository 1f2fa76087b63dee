#include "phone/MediaDownload.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "phone/MediaAssembly.h"
#include "phone/MediaFile.h"
#include "phone/MediaReceiveBuffer.h"
#include "phone/PhoneSession.h"
#include "phone/TransferHost.h"
#include "serial/SerialPort.h"

namespace {
constexpr std::size_t ReadSize = 256;
// A block answer is never shorter than this (header, index, number and the
// quotes), so no file that fits the buffer needs more blocks than this.
constexpr int BlockAnswerMinimum = 16;
constexpr int MaxBlocks = static_cast<int>(MediaReceiveBufferSize / BlockAnswerMinimum);

struct MediaKind {
    // Empty reads that end a block, and the pause after each one before.
    int emptyReadLimit;
    DWORD emptyReadPauseMs;
    bool movies;
};
constexpr MediaKind Photos{10, 66, false};
constexpr MediaKind Movies{30, 100, true};

enum class Fetch { Complete, Failed, Stopped };

class FileFetch {
public:
    // `index` is the row's index, a plain number.
    FileFetch(const MediaKind& kind, std::string index, TransferHost& host)
        : kind_(kind), index_(std::move(index)), host_(host)
    {
    }

    Fetch Run()
    {
        std::memset(MediaReceiveBuffer, 0, sizeof MediaReceiveBuffer);
        received_ = 0;
        const std::string endPattern = MovieEndPattern(index_);
        // Late bytes of an earlier file are not this file's; later blocks
        // keep everything, since a block's answer may still be arriving when
        // the next one is asked for.
        TheSerialPort().DiscardInput();
        for (int block = 1; block <= MaxBlocks; ++block) {
            // The program is closing: the file is left unfinished.
            if (host_.StopRequested())
                return Fetch::Stopped;
            const std::string request = MediaBlockRequest(kind_.movies, index_, block);
            if (TheSerialPort().Write(request.data(), request.size()) != request.size())
                return Fetch::Failed;
            const std::size_t before = received_;
            ReadBlock();
            // A phone that says nothing at all for a block will not finish.
            if (received_ == before)
                return Fetch::Failed;
            if (kind_.movies ? Holds(Received(), endPattern) : PhotoTransferEnded(Received()))
                return Fetch::Complete;
            if (received_ == sizeof MediaReceiveBuffer)
                return Fetch::Failed;
        }
        return Fetch::Failed;
    }

    ByteView Received() const { return ByteView(MediaReceiveBuffer, received_); }

private:
    // Reads one block's answer in chunks of at most 256 bytes until the
    // empty reads since the request run out, or, for movies, a chunk ends
    // the answer with its OK, or the buffer is full.
    void ReadBlock()
    {
        int emptyReads = 0;
        while (received_ < sizeof MediaReceiveBuffer) {
            const std::size_t room = std::min(ReadSize, sizeof MediaReceiveBuffer - received_);
            const std::size_t got = TheSerialPort().Read(MediaReceiveBuffer + received_, room);
            if (got > 0) {
                const ByteView chunk(MediaReceiveBuffer + received_, got);
                received_ += got;
                host_.ReportPosition(static_cast<long long>(received_));
                if (kind_.movies && HoldsFinalOk(chunk))
                    return;
                continue;
            }
            if (++emptyReads > kind_.emptyReadLimit)
                return;
            Sleep(kind_.emptyReadPauseMs);
        }
    }

    const MediaKind& kind_;
    std::string index_;
    TransferHost& host_;
    std::size_t received_ = 0;
};

void Download(const MediaKind& kind, RowSet& rows, TransferHost& host)
{
    for (TextRow& row : rows) {
        host.WaitForProgress();
        if (host.StopRequested())
            return;
        host.AnnounceItem(row);
        // A row whose index cannot go into a request is not asked for.
        if (row.size() < 4 || MediaBlockRequest(kind.movies, row[3], 1).empty()) {
            host.DownloadFailed(row);
            continue;
        }
        FileFetch fetch(kind, row[3], host);
        const Fetch result = fetch.Run();
        if (result == Fetch::Stopped)
            return;
        // A transfer that holds anything but the blocks asked for would be
        // saved with it inside; it is reported like one that never ended.
        if (result == Fetch::Failed || !MediaBlocksFramed(fetch.Received(), kind.movies, row[3])) {
            host.DownloadFailed(row);
            continue;
        }
        const auto assembled = kind.movies ? AssembleMovie(fetch.Received()) : AssemblePhoto(fetch.Received());
        // Without a block header there is nothing to save.
        if (!assembled)
            continue;
        if (row.size() < 3)
            row.resize(3);
        row[2] = std::to_string(assembled->size());
        SaveMediaFile(*assembled, row, kind.movies);
    }
}
}  // namespace

void DownloadPhotos(PhoneSession&, RowSet& rows, TransferHost& host)
{
    Download(Photos, rows, host);
}

void DownloadMovies(PhoneSession&, RowSet& rows, TransferHost& host)
{
    Download(Movies, rows, host);
}
