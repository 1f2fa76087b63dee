// A photo or movie transfer in, the file bytes out. The file is framed the
// way the phone sends it (numbered blocks of escaped bytes, each answer with
// its trailer and OK); it must pass as the blocks asked for, and assembling
// and decoding must give the file back. The
// input itself also goes in as a transfer, for the crashes alone.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "FuzzCheck.h"
#include "phone/MediaAssembly.h"
#include "phone/MediaFileData.h"
#include "phone/UploadBlocks.h"

namespace {
// The phone's escaping is the one uploads use.
std::string Transfer(const std::string& file, bool movies, size_t block)
{
    const std::string head = movies ? "\r\n#PMMUL: 3," : "\r\n#PMLUL: 3,";
    std::string out;
    size_t number = 1;
    for (size_t at = 0; at < file.size(); at += block, ++number) {
        const std::string piece = file.substr(at, block);
        const bool last = at + block >= file.size();
        const std::string trailer = movies ? "\"" : last ? std::string("\xFF\" \0", 4) : std::string("\" \0", 3);
        out += head + std::to_string(number) + ",\"" + std::to_string(piece.size()) + "\",\"" +
               EscapeBlockData(piece) + trailer + "\r\n\r\nOK\r\n";
    }
    if (movies)
        out += head + "0\r\n\r\nOK\r\n";
    return out;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const bool movies = in.ConsumeBool();
    const size_t block = in.ConsumeIntegralInRange<size_t>(16, 600);
    std::string file = in.ConsumeRemainingBytesAsString();

    const std::string raw(reinterpret_cast<const char*>(data), size);
    PhotoTransferEnded(raw);
    MediaBlocksFramed(raw, movies, "3");
    for (const auto& assembled : {AssemblePhoto(raw), AssembleMovie(raw)})
        if (assembled)
            DecodeMediaData(*assembled, assembled->size() + block % 4);

    if (!movies) {
        // A photo's last block holds the JPEG end FF D9 at its end only (the
        // simulated phone keeps at least two bytes in it).
        file += "\xFF\xD9";
        const size_t lastStart = file.size() <= block ? 0 : (file.size() - 1) / block * block;
        if (file.size() - lastStart < 2 || file.find("\xFF\xD9", lastStart) != file.size() - 2)
            return 0;
    } else if (file.empty()) {
        return 0;
    }
    const std::string transfer = Transfer(file, movies, block);
    FUZZ_CHECK(movies || PhotoTransferEnded(transfer));
    FUZZ_CHECK(MediaBlocksFramed(transfer, movies, "3"));
    const auto assembled = movies ? AssembleMovie(transfer) : AssemblePhoto(transfer);
    FUZZ_CHECK(assembled.has_value());
    FUZZ_CHECK(DecodeMediaData(*assembled, assembled->size()) == file);
    return 0;
}
