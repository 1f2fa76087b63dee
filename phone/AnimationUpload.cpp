#include <cstring>
#include <string>
#include <string_view>

#include "common/PhoneMessages.h"
#include "phone/MediaReceiveBuffer.h"
#include "phone/MediaUploads.h"
#include "phone/PhoneSession.h"
#include "phone/TransferHost.h"
#include "phone/UploadBlocks.h"
#include "phone/UploadBoxes.h"
#include "phone/UploadCommands.h"
#include "phone/UploadPort.h"
#include "phone/UploadSource.h"

namespace {
constexpr int AnimationTimeoutUnits = 3;

static_assert(AnimationHeaderSize + AnimationPixelLimit <= MediaReceiveBufferSize,
              "an accepted animation file fits the receive buffer");

const std::string& Item(const TextRow& row, std::size_t index)
{
    static const std::string empty;
    return index < row.size() ? row[index] : empty;
}
}  // namespace

void UploadAnimation(PhoneSession& session, const TextRow& request, TransferHost& host)
{
    host.WaitForProgress();
    if (!session.SendAtCommand("AT#PMMEM?", "OK", AnimationTimeoutUnits))
        return;
    const std::string& path = Item(request, 0);
    UploadSource file;
    if (!file.Open(path)) {
        ShowFileReadFailed(path);
        return;
    }
    const std::string name = FileNameOf(path);
    // The numbers the size was checked with are the numbers the phone gets.
    const AnimationFrames frames{AnimationNumber(Item(request, 1)), AnimationNumber(Item(request, 2)),
                                 AnimationNumber(Item(request, 3))};
    switch (CheckAnimation(file.Size(), frames)) {
    case AnimationCheck::TooLarge: ShowUploadError(PhoneMessages[AnimationTooLarge]); return;
    case AnimationCheck::Mismatch: ShowUploadError(PhoneMessages[NotAnAnimation]); return;
    case AnimationCheck::Accepted: break;
    }
    host.AnnounceItem(TextRow{"", name, std::to_string(file.Size()), ""});

    const auto size = static_cast<std::size_t>(file.Size());
    std::memset(MediaReceiveBuffer, 0, sizeof MediaReceiveBuffer);
    if (!file.Read(size, MediaReceiveBuffer)) {
        ShowFileReadFailed(path);
        return;
    }
    const std::string_view pixels(MediaReceiveBuffer + AnimationHeaderSize, size - AnimationHeaderSize);
    BlockPlan plan(UploadKind::Animation, pixels.size());
    UploadBlock block;
    while (plan.Next(block)) {
        // The phone drops the animation it has only in part.
        if (host.StopRequested()) {
            host.Interrupted(StoppedWork::Upload, 0, 0);
            return;
        }
        const std::string bytes = BackToFront(pixels, block.offset, block.length);
        const std::string command = AnimationBlockCommand(frames, name, block.number, EscapeBlockData(bytes));
        const BlockAnswer answer = WriteBlockCommand(command) ? AwaitBlockAnswer() : BlockAnswer::Error;
        if (answer != BlockAnswer::Ok) {
            ShowUploadError(PhoneMessages[MelodyUploadFailed]);
            return;
        }
        host.ReportPosition(static_cast<long long>(block.offset + block.length));
    }
    session.SendAtCommand("AT#PMGLG?", "OK", AnimationTimeoutUnits);
}
