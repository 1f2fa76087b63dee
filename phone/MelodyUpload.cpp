#include <string>

#include "common/PhoneMessages.h"
#include "phone/MediaUploads.h"
#include "phone/PhoneSession.h"
#include "phone/TransferHost.h"
#include "phone/UploadBlocks.h"
#include "phone/UploadBoxes.h"
#include "phone/UploadCommands.h"
#include "phone/UploadPort.h"
#include "phone/UploadSource.h"

void UploadMelody(PhoneSession& session, const std::string& place, const std::string& path, TransferHost& host)
{
    host.WaitForProgress();
    UploadSource file;
    if (!file.Open(path)) {
        ShowFileReadFailed(path);
        return;
    }
    const std::string name = FileNameOf(path);
    host.AnnounceItem(TextRow{"", path, std::to_string(file.Size()), ""});

    BlockPlan plan(UploadKind::Melody, file.Size());
    UploadBlock block;
    std::string bytes;
    while (plan.Next(block)) {
        // The phone drops the melody it has only in part, so its list of
        // melodies has not changed: nothing more goes to the phone.
        if (host.StopRequested()) {
            host.Interrupted(StoppedWork::Upload, 0, 0);
            return;
        }
        if (!file.Read(block.length, bytes)) {
            ShowFileReadFailed(path);
            break;
        }
        const std::string command = MelodyBlockCommand(place, name, block.number, EscapeBlockData(bytes));
        const BlockAnswer answer = WriteBlockCommand(command) ? AwaitBlockAnswer() : BlockAnswer::Error;
        if (answer != BlockAnswer::Ok) {
            ShowUploadError(PhoneMessages[MelodyUploadFailed]);
            break;
        }
        host.ReportPosition(static_cast<long long>(block.offset + block.length));
    }
    // Also when the stop came during the last block: the melody is whole.
    session.LoadMelodyList();
}
