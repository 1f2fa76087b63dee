#include <string>

#include "common/PhoneMessages.h"
#include "phone/MediaUploads.h"
#include "phone/PhoneSession.h"
#include "phone/PhoneStamp.h"
#include "phone/TransferHost.h"
#include "phone/UploadBlocks.h"
#include "phone/UploadBoxes.h"
#include "phone/UploadCommands.h"
#include "phone/UploadPort.h"
#include "phone/UploadSource.h"

void UploadPicture(PhoneSession& session, const std::string& path, TransferHost& host)
{
    host.WaitForProgress();
    // One stamp and one size for every block of the picture.
    const std::string stamp = FormatPhoneStamp(0);
    const std::string size = PictureSizeText(session.ModelName, session.MediaChoice);
    UploadSource file;
    if (!file.Open(path))
        return;
    const std::string name = FileNameOf(path);
    if (PictureNeedsWarning(file.Size()) && !ConfirmLargePicture())
        return;
    host.AnnounceItem(TextRow{"", path, std::to_string(file.Size()), ""});

    BlockPlan plan(UploadKind::Picture, file.Size());
    UploadBlock block;
    std::string bytes;
    while (plan.Next(block)) {
        // The phone drops the picture it has only in part.
        if (host.StopRequested()) {
            host.Interrupted(StoppedWork::Upload, 0, 0);
            return;
        }
        // A short read or a port that takes nothing more ends the picture
        // rather than sending a wrong block.
        if (!file.Read(block.length, bytes)) {
            ShowUploadError(PhoneMessages[PictureUploadFailed]);
            return;
        }
        const std::string command = PictureBlockCommand(size, name, stamp, block.number, EscapeBlockData(bytes));
        if (!WriteBlockCommand(command)) {
            ShowUploadError(PhoneMessages[PictureUploadFailed]);
            return;
        }
        host.ReportPosition(static_cast<long long>(block.offset + block.length));
        if (AwaitPictureBlockAnswer() != BlockAnswer::Ok) {
            ShowUploadError(PhoneMessages[PictureUploadFailed]);
            return;
        }
    }
}
