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
        // The program is closing: nothing more goes to the phone or the database.
        if (host.StopRequested())
            return;
        if (!file.Read(block.length, bytes)) {
            ShowFileReadFailed(path);
            break;
        }
        const std::string command = MelodyBlockCommand(place, name, block.number, EscapeBlockData(bytes));
        const BlockAnswer answer = WriteBlockCommand(command) ? AwaitBlockAnswer() : BlockAnswer::Error;
        if (answer != BlockAnswer::Ok) {
            ShowUploadError(PhoneMessages[2]);
            break;
        }
        host.ReportPosition(static_cast<long long>(block.offset + block.length));
    }
    if (!host.StopRequested())
        session.LoadMelodyList();
}
