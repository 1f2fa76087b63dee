#include <string>

#include "common/PhoneMessages.h"
#include "phone/BlockSend.h"
#include "phone/MediaUploads.h"
#include "phone/PhoneSession.h"
#include "phone/TransferHost.h"
#include "phone/UploadCommands.h"
#include "phone/UploadPort.h"
#include "phone/UploadSource.h"

void UploadMelody(PhoneSession& session, const MelodyUpload& request, TransferHost& host)
{
    host.WaitForProgress();
    const std::string& path = request.path;
    UploadSource file;
    if (!file.Open(path)) {
        host.FileNotRead(path);
        return;
    }
    const std::string name = FileNameOf(path);
    const std::string place = std::to_string(request.place);
    host.AnnounceItem(TextRow{"", path, std::to_string(file.Size()), ""});

    BlockSendKind melody{UploadKind::Melody, file.Size()};
    melody.bytes = [&](const UploadBlock& block, std::string& bytes) { return file.Read(block.length, bytes); };
    melody.command = [&](long long number, const std::string& escaped) {
        return MelodyBlockCommand(place, name, number, escaped);
    };
    melody.answer = [fast = session.FastExchange()] { return AwaitBlockAnswer(fast); };
    melody.unread = [&] { host.FileNotRead(path); };
    melody.failed = PhoneMessages[MelodyUploadFailed];
    // The phone drops a melody it has only in part: after a stop its list
    // has not changed. Otherwise the list is read again.
    if (SendBlocks(melody, host) != BlockSendEnd::Stopped)
        session.LoadMelodyList();
}
