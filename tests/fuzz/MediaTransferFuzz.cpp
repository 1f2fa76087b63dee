// A photo or movie transfer in, the file bytes out. The file is framed the
// way a phone sends it (numbered blocks of escaped bytes, each answer with
// its length or the file's name before the data and its trailer and OK, or,
// for a named photo block but the last, a quote, LF and CR alone); it must
// pass as the blocks asked for, a photo must not count as ended before its
// last block, whatever zero bytes its data holds, and assembling and
// decoding must give the file back; each block's answer is whole at its
// close and not before. The input itself also goes in as a
// transfer, for the crashes alone.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "phone/MediaAssembly.h"
#include "phone/MediaFileData.h"
#include "phone/UploadBlocks.h"

namespace {
// The phone's escaping is the one uploads use.
// Where each block's answer starts, for the photo's early-end check.
std::string Transfer(const std::string& file, bool movies, size_t block, bool named, std::vector<size_t>& starts)
{
    const std::string head = movies ? "\r\n#PMMUL: 3," : "\r\n#PMLUL: 3,";
    std::string out;
    size_t number = 1;
    for (size_t at = 0; at < file.size(); at += block, ++number) {
        const std::string piece = file.substr(at, block);
        const bool last = at + block >= file.size();
        std::string trailer = movies ? "\"" : last ? std::string("\xFF\" \0", 4) : std::string("\" \0", 3);
        std::string result = "\r\n\r\nOK\r\n";
        if (named && !movies && !last) {
            trailer = "\"\n\r";
            result.clear();
        }
        starts.push_back(out.size());
        out += head + std::to_string(number) + ",\"" + (named ? "Кот 02.jpg" : std::to_string(piece.size())) +
               "\",\"" + EscapeBlockData(piece) + trailer + result;
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
    const bool named = in.ConsumeBool();
    const size_t block = in.ConsumeIntegralInRange<size_t>(16, 600);
    std::string file = in.ConsumeRemainingBytesAsString();

    const std::string raw(reinterpret_cast<const char*>(data), size);
    PhotoTransferEnded(raw);
    MediaBlocksFramed(raw, movies, "3");
    MediaBlockAnswered(raw, movies, "3", static_cast<long>(block));
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
    std::vector<size_t> starts;
    const std::string transfer = Transfer(file, movies, block, named, starts);
    FUZZ_CHECK(movies || PhotoTransferEnded(transfer));
    if (!movies && file.find("\xFF\xD9") == file.size() - 2) {
        // Cut at the start of the last block, or anywhere inside an earlier
        // one: a photo that holds its JPEG end only at its end has not ended.
        for (size_t k = 0; k < starts.size(); ++k) {
            const size_t end = k + 1 < starts.size() ? starts[k + 1] : starts[k];
            FUZZ_CHECK(!PhotoTransferEnded(std::string_view(transfer).substr(0, end)));
            const size_t inside = starts[k] + (end - starts[k]) / 2;
            FUZZ_CHECK(k + 1 == starts.size() || !PhotoTransferEnded(std::string_view(transfer).substr(0, inside)));
        }
    }
    // Each block's answer is whole at its end and, short of its last byte,
    // not yet, unless it holds a photo's end mark, which ends it there.
    const size_t pastEnd = movies ? std::string("\r\n#PMMUL: 3,0\r\n\r\nOK\r\n").size() : 0;
    for (size_t k = 0; k < starts.size(); ++k) {
        const size_t end = k + 1 < starts.size() ? starts[k + 1] : transfer.size() - pastEnd;
        const std::string_view answer = std::string_view(transfer).substr(starts[k], end - starts[k]);
        FUZZ_CHECK(MediaBlockAnswered(answer, movies, "3", static_cast<long>(k + 1)));
        const std::string_view cut = answer.substr(0, answer.size() - 1);
        FUZZ_CHECK((!movies && Holds(cut, std::string_view("\xFF\xD9\xFF\" \0\r\n", 8))) ||
                   !MediaBlockAnswered(cut, movies, "3", static_cast<long>(k + 1)));
    }
    FUZZ_CHECK(MediaBlocksFramed(transfer, movies, "3"));
    const auto assembled = movies ? AssembleMovie(transfer) : AssemblePhoto(transfer);
    FUZZ_CHECK(assembled.has_value());
    FUZZ_CHECK(DecodeMediaData(*assembled, assembled->size()) == file);
    return 0;
}
