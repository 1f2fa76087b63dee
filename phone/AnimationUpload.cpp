#include <cstring>
#include <string>
#include <string_view>

#include "common/PhoneMessages.h"
#include "phone/BlockSend.h"
#include "phone/MediaReceiveBuffer.h"
#include "phone/MediaUploads.h"
#include "phone/PhoneSession.h"
#include "phone/TransferHost.h"
#include "phone/UploadCommands.h"
#include "phone/UploadPort.h"
#include "phone/UploadSource.h"

namespace {
constexpr int AnimationTimeoutUnits = 3;

static_assert(AnimationHeaderSize + AnimationPixelLimit <= MediaReceiveBufferSize,
              "an accepted animation file fits the receive buffer");
}  // namespace

void UploadAnimation(PhoneSession& session, const AnimationUpload& request, TransferHost& host)
{
    host.WaitForProgress();
    if (!session.SendAtCommand("AT#PMMEM?", "OK", AnimationTimeoutUnits))
        return;
    const std::string& path = request.path;
    UploadSource file;
    if (!file.Open(path)) {
        host.FileNotRead(path);
        return;
    }
    const std::string name = FileNameOf(path);
    // The numbers the size was checked with are the numbers the phone gets.
    const AnimationFrames frames{AnimationNumber(request.frames), AnimationNumber(request.width),
                                 AnimationNumber(request.height)};
    switch (CheckAnimation(file.Size(), frames)) {
    case AnimationCheck::TooLarge: host.UploadFailed(PhoneMessages[AnimationTooLarge]); return;
    case AnimationCheck::Mismatch: host.UploadFailed(PhoneMessages[NotAnAnimation]); return;
    case AnimationCheck::Accepted: break;
    }
    host.AnnounceItem(TextRow{"", name, std::to_string(file.Size()), ""});

    const auto size = static_cast<std::size_t>(file.Size());
    std::memset(MediaReceiveBuffer, 0, sizeof MediaReceiveBuffer);
    if (!file.Read(size, MediaReceiveBuffer)) {
        host.FileNotRead(path);
        return;
    }
    const std::string_view pixels(MediaReceiveBuffer + AnimationHeaderSize, size - AnimationHeaderSize);
    BlockSendKind animation{UploadKind::Animation, pixels.size()};
    animation.bytes = [&](const UploadBlock& block, std::string& bytes) {
        bytes = BackToFront(pixels, block.offset, block.length);
        return true;
    };
    animation.command = [&](long long number, const std::string& escaped) {
        return AnimationBlockCommand(frames, name, number, escaped);
    };
    animation.answer = [fast = session.FastExchange()] { return AwaitBlockAnswer(fast); };
    animation.failed = PhoneMessages[MelodyUploadFailed];
    if (SendBlocks(animation, host) == BlockSendEnd::Done)
        session.SendAtCommand("AT#PMGLG?", "OK", AnimationTimeoutUnits);
}
