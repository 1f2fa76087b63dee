#include "phone/MediaAssembly.h"

namespace {
constexpr std::string_view PhotoHeader = "\r\n#PMLUL: ";
constexpr std::string_view MovieHeader = "\r\n#PMMUL: ";
constexpr std::string_view FinalOk = "\r\n\r\nOK\r\n";
constexpr std::string_view DataQuote = ",\"";
constexpr std::string_view PhotoEnd("\xFF\xD9\xFF\x22\x20\x00\x0D\x0A", 8);
// What the decoding drops after a block's data: a quote, LF and CR (a photo
// block of a phone that sends no result line after it); or a quote, a blank
// and a zero with the eight bytes after them.
constexpr std::string_view ShortClose = "\"\n\r";
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
    if (Holds(received, PhotoEnd))
        return true;
    // Data bytes are escaped, so no header hides in them: the last header is
    // the last block's, and its data ends at the first quote after its start.
    const std::size_t header = received.rfind(PhotoHeader);
    if (header == ByteView::npos)
        return false;
    std::size_t past = header + PhotoHeader.size();
    const std::size_t start = DataStart(received, past);
    if (start != ByteView::npos) {
        const std::size_t quote = Find(received, "\"", start);
        if (quote == ByteView::npos)
            return false;
        past = quote + 1;
    }
    return Find(received, Zeros, past) != ByteView::npos;
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

std::string PastEndPattern(bool movies, const std::string& index)
{
    return std::string(movies ? MovieHeader : PhotoHeader) + index + ",0";
}

namespace {
// Where the header of block `block` for `index` ends, just past its number,
// which something other than a digit follows; with `orPastEnd` the header of
// the answer past the end (number 0) counts too. npos when neither has
// arrived whole. The number is compared as text, so no digits the phone
// sends are added up.
std::size_t BlockHeaderEnd(ByteView received, bool movies, std::string_view index, long block, bool orPastEnd)
{
    const std::string prefix = std::string(movies ? MovieHeader : PhotoHeader) + std::string(index) + ",";
    const std::string number = std::to_string(block);
    for (std::size_t at = Find(received, prefix, 0); at != ByteView::npos; at = Find(received, prefix, at + 1)) {
        const std::size_t digits = at + prefix.size();
        for (const std::string_view wanted : {std::string_view(number), orPastEnd ? "0" : std::string_view()}) {
            const std::size_t end = digits + wanted.size();
            if (!wanted.empty() && received.substr(digits, wanted.size()) == wanted && end < received.size() &&
                (received[end] < '0' || received[end] > '9'))
                return end;
        }
    }
    return ByteView::npos;
}

bool HoldsResultLineFrom(ByteView answer, std::size_t from)
{
    return Find(answer, "\r\nOK\r\n", from) != ByteView::npos || Find(answer, "\r\nERROR\r\n", from) != ByteView::npos;
}
}  // namespace

bool HoldsBlockHeader(ByteView received, bool movies, std::string_view index, long block)
{
    return BlockHeaderEnd(received, movies, index, block, false) != ByteView::npos;
}

bool MediaBlockAnswered(ByteView answer, bool movies, std::string_view index, long block)
{
    if (HoldsErrorLine(answer))
        return true;
    const std::size_t fields = BlockHeaderEnd(answer, movies, index, block, true);
    if (fields == ByteView::npos)
        return false;
    const std::size_t start = DataStart(answer, fields);
    const std::size_t quote = start == ByteView::npos ? ByteView::npos : Find(answer, "\"", start);
    // No data yet: an answer without data (the one past the end) ends with
    // its result line, which no field before the data can hold.
    if (quote == ByteView::npos) {
        const std::size_t result = Find(answer, "\r\nOK\r\n", fields);
        return result != ByteView::npos && (start == ByteView::npos || result < start);
    }
    if (HoldsResultLineFrom(answer, quote + 1))
        return true;
    if (movies)
        return false;
    const ByteView close = answer.substr(quote);
    return close.substr(0, ShortClose.size()) == ShortClose ||
           (quote >= start + 3 && answer.substr(quote - 3, PhotoEnd.size()) == PhotoEnd);
}

bool HoldsErrorLine(ByteView received)
{
    return Holds(received, "\r\nERROR\r\n");
}

bool Holds(ByteView data, std::string_view pattern)
{
    return Find(data, pattern, 0) != ByteView::npos;
}

namespace {
constexpr std::string_view ZeroClose("\" \0", 3);
constexpr std::size_t ZeroCloseLength = 11;
// More digits than a block number ever has.
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

bool HoldsControlByte(ByteView data)
{
    for (char c : data)
        if (static_cast<unsigned char>(c) < 0x20)
            return true;
    return false;
}

// Whether `tail`, from the quote that ends a block's data up to the next
// header, is a close that the assembly and the decoding leave out of the file.
bool DroppedClose(ByteView tail, bool movies)
{
    if (tail == ShortClose || (tail.size() == ZeroCloseLength && StartsWithAt(tail, 0, ZeroClose)))
        return true;
    // A movie block's data ends before the quote that stands right before
    // its OK line; what follows the OK up to the next header is left out.
    return movies && StartsWithAt(tail, 1, FinalOk);
}
}  // namespace

bool MediaBlocksFramed(ByteView received, bool movies, std::string_view index)
{
    const std::string_view header = movies ? MovieHeader : PhotoHeader;
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
            return next == ByteView::npos && expected > 1;
        if (number != expected)
            return false;
        // The data starts past the second comma-and-quote pair, whatever
        // the fields before it hold, so long as no line ends among them.
        const std::size_t start = DataStart(received, numberEnd);
        if (start == ByteView::npos || (next != ByteView::npos && start > next) ||
            HoldsControlByte(received.substr(numberEnd, start - numberEnd)))
            return false;
        // The last block ended the transfer, which checked its end.
        if (next == ByteView::npos)
            return true;
        // Data bytes are escaped, so the first quote or line break ends
        // them: the next header itself, or a close.
        const std::size_t dataEnd = received.find_first_of(std::string_view("\"\r\n", 3), start);
        if (dataEnd != next && (dataEnd > next || received[dataEnd] != '"' ||
                                !DroppedClose(received.substr(dataEnd, next - dataEnd), movies)))
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
