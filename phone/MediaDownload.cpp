#include "phone/MediaDownload.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "phone/MediaAssembly.h"
#include "phone/MediaBlockRead.h"
#include "phone/MediaFile.h"
#include "phone/MediaReceiveBuffer.h"
#include "phone/PhoneSession.h"
#include "phone/PortTiming.h"
#include "phone/TransferHost.h"
#include "serial/SerialPort.h"

namespace {
// A block answer is never shorter than this (header, index, number and the
// quotes), so no file that fits the buffer needs more blocks than this.
constexpr int BlockAnswerMinimum = 16;
constexpr int MaxBlocks = static_cast<int>(MediaReceiveBufferSize / BlockAnswerMinimum);
// A file the catalogue gave a size for needs no more than that: every block
// brings at least one byte, escaping at most doubles the data, and each
// block's header, fields and close take well under this allowance.
constexpr long long ExtraBlocks = 16;
constexpr long long FramingPerBlock = 128;
constexpr long long ExtraBytes = 4096;
// Bytes before a block's answer that its checks still look at: a header or
// result line that began at the end of the answer before.
constexpr std::size_t Overlap = 32;
// More digits than a listed size that fits the buffer has.
constexpr std::size_t SizeDigits = 9;

struct MediaKind {
    BlockWaits waits;
    bool movies;
};
constexpr MediaKind Photos{{10, 66, false}, false};
constexpr MediaKind Movies{{30, 100, true}, true};

enum class Fetch { Complete, Failed, Stopped };

// The size the catalogue listed (column 3), or -1 when it is not a number.
long long ListedSize(const TextRow& row)
{
    if (row.size() < 3 || row[2].empty() || row[2].size() > SizeDigits ||
        row[2].find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoll(row[2]);
}

class FileFetch {
public:
    // `index` is the row's index, a plain number; `listed` the size the
    // catalogue gave, or -1.
    FileFetch(const MediaKind& kind, std::string index, long long listed, bool fast, TransferHost& host)
        : kind_(kind), index_(std::move(index)), listed_(listed), fast_(fast), host_(host)
    {
    }

    Fetch Run()
    {
        std::memset(MediaReceiveBuffer, 0, sizeof MediaReceiveBuffer);
        received_ = 0;
        const std::string pastEnd = PastEndPattern(kind_.movies, index_);
        const int blocks =
            listed_ < 0 ? MaxBlocks : static_cast<int>(std::min<long long>(MaxBlocks, listed_ + ExtraBlocks));
        // Late bytes of an earlier file are not this file's; later blocks
        // keep everything, since a block's answer may still be arriving when
        // the next one is asked for.
        TheSerialPort().DiscardInput();
        // Where the answer to the block before began to arrive: the checks
        // below look no further back, so a long file costs no more per block.
        std::size_t previousStart = 0;
        for (int block = 1; block <= blocks; ++block) {
            // Stopped: the file is left unfinished and not saved.
            if (host_.StopRequested())
                return Fetch::Stopped;
            const std::string request = MediaBlockRequest(kind_.movies, index_, block);
            if (TheSerialPort().Write(request.data(), request.size()) != request.size())
                return Fetch::Failed;
            const std::size_t before = received_;
            ReadBlock(block);
            // A phone that says nothing at all for a block will not finish.
            if (received_ == before)
                return Fetch::Failed;
            const ByteView recent = Received().substr(previousStart > Overlap ? previousStart - Overlap : 0);
            if (kind_.movies ? Holds(recent, pastEnd) : PhotoTransferEnded(recent))
                return Fetch::Complete;
            // The phone refused a block (the item is gone from it), told that
            // the photo has no more blocks although it never sent its end, or
            // did not answer the block before with that block (the answer to
            // a block may come late, so the one before is the one checked).
            if (HoldsErrorLine(recent) || Holds(recent, pastEnd) ||
                (block > 1 && !HoldsBlockHeader(recent, kind_.movies, index_, block - 1)))
                return Fetch::Failed;
            previousStart = before;
            if (received_ == sizeof MediaReceiveBuffer || MoreThanListed(block))
                return Fetch::Failed;
        }
        return Fetch::Failed;
    }

    ByteView Received() const { return ByteView(MediaReceiveBuffer, received_); }

private:
    // Whether more has arrived than the listed size can need after `blocks`
    // blocks: the phone sends something else than the file.
    bool MoreThanListed(int blocks) const
    {
        return listed_ >= 0 &&
               static_cast<long long>(received_) > 2 * listed_ + FramingPerBlock * blocks + ExtraBytes;
    }

    // Reads the answer to block `block` until the empty reads since the
    // request run out, or, for movies, a chunk ends it with its OK, or with
    // the fast exchange its close has arrived, or the buffer is full.
    void ReadBlock(int block)
    {
        BlockLine line{ReadFromPort, PauseFor,
                       [this](std::size_t received) { host_.ReportPosition(static_cast<long long>(received)); },
                       {}, {}};
        if (fast_) {
            line.now = TickMs;
            line.answered = [this, block](ByteView answer) {
                return MediaBlockAnswered(answer, kind_.movies, index_, block);
            };
        }
        received_ = ReadMediaBlock(MediaReceiveBuffer, sizeof MediaReceiveBuffer, received_, kind_.waits, line);
    }

    const MediaKind& kind_;
    std::string index_;
    long long listed_;
    bool fast_;
    TransferHost& host_;
    std::size_t received_ = 0;
};

void Download(const MediaKind& kind, RowSet& rows, bool fast, TransferHost& host)
{
    long long saved = 0;
    const auto total = static_cast<long long>(rows.size());
    for (TextRow& row : rows) {
        host.WaitForProgress();
        if (host.StopRequested()) {
            host.Interrupted(StoppedWork::Download, saved, total);
            return;
        }
        host.AnnounceItem(row);
        // A row whose index cannot go into a request is not asked for.
        if (row.size() < 4 || MediaBlockRequest(kind.movies, row[3], 1).empty()) {
            host.DownloadFailed(row);
            continue;
        }
        FileFetch fetch(kind, row[3], ListedSize(row), fast, host);
        const Fetch result = fetch.Run();
        if (result == Fetch::Stopped) {
            host.Interrupted(StoppedWork::Download, saved, total);
            return;
        }
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
        row[2] = std::to_string(assembled->size());
        std::string path;
        if (SaveMediaFile(*assembled, row, kind.movies, path))
            ++saved;
        else
            host.MediaNotSaved(path);
    }
}
}  // namespace

void DownloadPhotos(PhoneSession& session, RowSet& rows, TransferHost& host)
{
    Download(Photos, rows, session.FastExchange(), host);
}

void DownloadMovies(PhoneSession& session, RowSet& rows, TransferHost& host)
{
    Download(Movies, rows, session.FastExchange(), host);
}
