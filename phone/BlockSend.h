#pragma once
#include <functional>
#include <string>

#include "phone/UploadAnswer.h"
#include "phone/UploadBlocks.h"

class TransferHost;

// What one kind of upload gives the block send loop.
struct BlockSendKind {
    BlockSendKind(UploadKind uploadKind, std::uint64_t bytes) : kind(uploadKind), size(bytes) {}

    UploadKind kind;
    // The bytes the blocks are cut from.
    std::uint64_t size;
    // The block's bytes before escaping; false when they cannot be had.
    std::function<bool(const UploadBlock& block, std::string& bytes)> bytes;
    // The AT command that carries block `number` with its escaped bytes.
    std::function<std::string(long long number, const std::string& escaped)> command;
    // The phone's answer to a block just written.
    std::function<BlockAnswer()> answer;
    // A block's bytes could not be had: the kind's box (none for a kind
    // whose bytes are all in memory).
    std::function<void()> unread;
    // The box text when the phone did not take a block.
    const char* failed = "";
    // The progress moves once a block is written (pictures) rather than once
    // the phone confirmed it.
    bool positionOnWrite = false;
};

enum class BlockSendEnd {
    // Every block went and was confirmed.
    Done,
    // The user stopped the upload; the box saying so was shown.
    Stopped,
    // A block could not be read, written or was not confirmed; the kind's
    // box was shown.
    Failed,
};

// Sends the blocks of `kind` one after another: before each, a stop request
// ends the upload (the phone drops a file it has only in part); each block
// is written, answered and reported to the progress dialog.
BlockSendEnd SendBlocks(const BlockSendKind& kind, TransferHost& host);
