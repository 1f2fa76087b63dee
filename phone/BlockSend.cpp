#include "phone/BlockSend.h"

#include "phone/TransferHost.h"
#include "phone/UploadPort.h"

BlockSendEnd SendBlocks(const BlockSendKind& kind, TransferHost& host)
{
    BlockPlan plan(kind.kind, kind.size);
    UploadBlock block;
    std::string bytes;
    while (plan.Next(block)) {
        if (host.StopRequested()) {
            host.Interrupted(StoppedWork::Upload, 0, 0);
            return BlockSendEnd::Stopped;
        }
        // A short read ends the upload rather than sending a wrong block.
        if (!kind.bytes(block, bytes)) {
            if (kind.unread)
                kind.unread();
            return BlockSendEnd::Failed;
        }
        const std::string command = kind.command(block.number, EscapeBlockData(bytes));
        const bool written = WriteBlockCommand(command);
        const long long position = static_cast<long long>(block.offset + block.length);
        if (written && kind.positionOnWrite)
            host.ReportPosition(position);
        if (!written || kind.answer() != BlockAnswer::Ok) {
            host.UploadFailed(kind.failed);
            return BlockSendEnd::Failed;
        }
        if (!kind.positionOnWrite)
            host.ReportPosition(position);
    }
    return BlockSendEnd::Done;
}
