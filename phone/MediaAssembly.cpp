#include "phone/MediaAssembly.h"

namespace {
constexpr std::string_view PhotoHeader = "\r\n#PMLUL: ";
constexpr std::string_view MovieHeader = "\r\n#PMMUL: ";
constexpr std::string_view FinalOk = "\r\n\r\nOK\r\n";
constexpr std::string_view DataQuote = ",\"";
constexpr std::string_view PhotoEnd("\xFF\xD9\xFF\x22\x20\x00\x0D\x0A", 8);
constexpr std::string_view JpegEnd = "\xFF\xD9";
constexpr std::string_view Zeros(
    "\0\0\0\0\0\0\0\0"
    "\0\0\0\0\0\0\0\0",
    16);

// Where `pattern` starts in `data` at or after `from`; npos when it does not.
std::size_t Find(ByteView data, std::string_view pattern, std::size_t from)
{
    return from > data.size() ? ByteView::npos : data.find(pattern, from);
}

// A block's data starts past the second comma-and-quote pair from `from`;
// npos when there are not two.
std::size_t DataStart(ByteView received, std::size_t from)
{
    std::size_t pair = Find(received, DataQuote, from);
    if (pair == ByteView::npos)
        return pair;
    pair = Find(received, DataQuote, pair + DataQuote.size());
    return pair == ByteView::npos ? pair : pair + DataQuote.size();
}

void Append(Bytes& out, ByteView received, std::size_t from, std::size_t to)
{
    if (to > from)
        out.append(received.substr(from, to - from));
}
}  // namespace

bool PhotoTransferEnded(ByteView received)
{
    return Holds(received, PhotoEnd) || Holds(received, Zeros);
}

bool HoldsFinalOk(ByteView chunk)
{
    return Holds(chunk, FinalOk);
}

std::string MediaBlockRequest(bool movies, const std::string& index, int block)
{
    if (index.empty() || index.find_first_not_of("0123456789") != std::string::npos)
        return {};
    return (movies ? "AT#PMMUL=" : "AT#PMLUL=") + index + "," + std::to_string(block) + "\r\n";
}

std::string MovieEndPattern(const std::string& index)
{
    return std::string(MovieHeader) + index + ",0";
}

bool Holds(ByteView data, std::string_view pattern)
{
    return Find(data, pattern, 0) != ByteView::npos;
}

namespace {
constexpr std::string_view PhotoClose("\" \0\r\n\r\nOK\r\n", 11);
constexpr std::string_view MovieClose = "\"\r\n\r\nOK\r\n";
// More digits than a block number or length ever has.
constexpr std::size_t MaxDigits = 9;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The end of the run of digits at `at` (at most MaxDigits); npos when none.
std::size_t DigitsEnd(ByteView data, std::size_t at)
{
    std::size_t end = at;
    while (end < data.size() && end - at <= MaxDigits && IsDigit(data[end]))
        ++end;
    return end == at || end - at > MaxDigits ? ByteView::npos : end;
}

bool StartsWithAt(ByteView data, std::size_t at, std::string_view text)
{
    return at <= data.size() && data.substr(at, text.size()) == text;
}
}  // namespace

bool MediaBlocksFramed(ByteView received, bool movies, std::string_view index)
{
    const std::string_view header = movies ? MovieHeader : PhotoHeader;
    const std::string_view close = movies ? MovieClose : PhotoClose;
    std::size_t at = Find(received, header, 0);
    if (index.empty() || at == ByteView::npos)
        return false;
    for (long expected = 1;; ++expected) {
        std::size_t p = at + header.size();
        if (!StartsWithAt(received, p, index) || !StartsWithAt(received, p + index.size(), ","))
            return false;
        p += index.size() + 1;
        const std::size_t numberEnd = DigitsEnd(received, p);
        if (numberEnd == ByteView::npos)
            return false;
        long number = 0;
        for (std::size_t i = p; i < numberEnd; ++i)
            number = number * 10 + (received[i] - '0');
        const std::size_t next = Find(received, header, numberEnd);
        if (number == 0)
            return movies && next == ByteView::npos && expected > 1;
        if (number != expected || !StartsWithAt(received, numberEnd, ",\""))
            return false;
        const std::size_t lengthEnd = DigitsEnd(received, numberEnd + 2);
        if (lengthEnd == ByteView::npos || !StartsWithAt(received, lengthEnd, "\",\""))
            return false;
        // The last block ended the transfer, which checked its end.
        if (next == ByteView::npos)
            return true;
        // Data bytes are escaped, so the first quote or line break ends them.
        const std::size_t dataEnd = received.find_first_of(std::string_view("\"\r\n", 3), lengthEnd + 3);
        if (dataEnd != next && !(dataEnd + close.size() == next && StartsWithAt(received, dataEnd, close)))
            return false;
        at = next;
    }
}

std::optional<Bytes> AssemblePhoto(ByteView received)
{
    std::size_t header = Find(received, PhotoHeader, 0);
    if (header == ByteView::npos)
        return std::nullopt;
    Bytes out;
    for (;;) {
        const std::size_t start = DataStart(received, header + PhotoHeader.size());
        if (start == ByteView::npos)
            return out;
        const std::size_t next = Find(received, PhotoHeader, start);
        if (next == ByteView::npos) {
            // The last block ends with the JPEG end marker, which is there
            // even when the phone left it out.
            const std::size_t end = Find(received, JpegEnd, start);
            if (end != ByteView::npos)
                Append(out, received, start, end + JpegEnd.size());
            else
                out += JpegEnd;
            return out;
        }
        Append(out, received, start, next);
        header = next;
    }
}

std::optional<Bytes> AssembleMovie(ByteView received)
{
    std::size_t header = Find(received, MovieHeader, 0);
    if (header == ByteView::npos)
        return std::nullopt;
    Bytes out;
    while (header != ByteView::npos) {
        const std::size_t start = DataStart(received, header + MovieHeader.size());
        if (start == ByteView::npos)
            break;
        const std::size_t next = Find(received, MovieHeader, start);
        const std::size_t limit = next == ByteView::npos ? received.size() : next;
        const std::size_t ok = Find(received.substr(0, limit), FinalOk, start);
        if (ok != ByteView::npos) {
            // The data's closing quote stands just before the OK.
            Append(out, received, start, ok - 1);
        } else if (next != ByteView::npos) {
            Append(out, received, start, next);
        } else {
            const std::size_t zero = received.find('\0', start);
            Append(out, received, start, zero == ByteView::npos ? received.size() : zero);
        }
        header = next;
    }
    return out;
}
