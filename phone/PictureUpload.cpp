#include <string>

#include "common/PhoneMessages.h"
#include "phone/BlockSend.h"
#include "phone/MediaUploads.h"
#include "phone/PhoneSession.h"
#include "phone/PhoneStamp.h"
#include "phone/TransferHost.h"
#include "phone/UploadCommands.h"
#include "phone/UploadPort.h"
#include "phone/UploadSource.h"

void UploadPicture(PhoneSession& session, const PictureUpload& request, TransferHost& host)
{
    host.WaitForProgress();
    // One stamp and one size for every block of the picture.
    const std::string stamp = FormatPhoneStamp(0);
    const std::string size = PictureSizeText(session.ModelName, request.size);
    UploadSource file;
    if (!file.Open(request.path))
        return;
    const std::string name = FileNameOf(request.path);
    if (PictureNeedsWarning(file.Size()) && !host.ConfirmLargePicture())
        return;
    host.AnnounceItem(TextRow{"", request.path, std::to_string(file.Size()), ""});

    BlockSendKind picture{UploadKind::Picture, file.Size()};
    picture.bytes = [&](const UploadBlock& block, std::string& bytes) { return file.Read(block.length, bytes); };
    picture.command = [&](long long number, const std::string& escaped) {
        return PictureBlockCommand(size, name, stamp, number, escaped);
    };
    picture.answer = [fast = session.FastExchange()] { return AwaitPictureBlockAnswer(fast); };
    picture.unread = [&] { host.UploadFailed(PhoneMessages[PictureUploadFailed]); };
    picture.failed = PhoneMessages[PictureUploadFailed];
    picture.positionOnWrite = true;
    SendBlocks(picture, host);
}
