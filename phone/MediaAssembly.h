#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The phone sends a photo or movie in numbered blocks, each answer framed by
// a header ("\r\n#PMLUL: " or "\r\n#PMMUL: "), the block's number and
// length in quotes, and the data in quotes. Everything that arrives for one
// file is collected in order; these rules tell when it is complete and cut
// the data out of the framing.

// Bytes as they came, zero bytes included.
using ByteView = std::string_view;
using Bytes = std::string;

// What is collected for one file, framing included, at most.
inline constexpr std::size_t MediaReceiveBufferSize = 1315720;

// A photo is complete when what arrived holds the end of the last block (the
// JPEG end FF D9, FF, then the closing quote sequence) or sixteen zero bytes
// in a row past the last block's data. Zero bytes go unescaped inside block
// data, and a JPEG often holds such runs (EXIF padding), so a run there is
// part of the photo.
bool PhotoTransferEnded(ByteView received);

// A movie block's answer is over when a chunk holds "\r\n\r\nOK\r\n".
bool HoldsFinalOk(ByteView chunk);

// Whether `answer`, what arrived since block `block` of the photo or movie
// with index `index` was asked for, is the whole answer to it: the block's
// header (or the past-the-end one, number 0), and after its data a close:
// a final OK or ERROR line, or for photos the quote, LF and CR of a phone
// that sends no result line, or the end mark FF D9 FF, quote, blank, zero,
// CR LF. An "ERROR" line alone is a whole answer too. Data bytes are
// escaped, so the first quote after the data's start ends them and no close
// hides inside them.
bool MediaBlockAnswered(ByteView answer, bool movies, std::string_view index, long block);

// The request for block `block` (from 1) of the photo or movie whose index
// the phone listed as `index`, with its CR LF; empty when the index is not
// a plain decimal number, since it goes into the line as it is and a list
// entry that ran across lines could otherwise carry other commands.
std::string MediaBlockRequest(bool movies, const std::string& index, int block);

// The phone's answer to a block past the end: "\r\n#PMLUL: " or
// "\r\n#PMMUL: ", the index, ",0". It ends a movie; a photo that gets it
// never sent its end.
std::string PastEndPattern(bool movies, const std::string& index);

// Whether what arrived holds the header of block `block` of the photo or
// movie with index `index`: the header, the index, a comma and the number,
// and after it something other than a digit.
bool HoldsBlockHeader(ByteView received, bool movies, std::string_view index, long block);

// Whether the phone answered a request with "ERROR" on a line of its own.
// Block data cannot hold it: CR and LF in data are escaped.
bool HoldsErrorLine(ByteView received);

bool Holds(ByteView data, std::string_view pattern);

// Whether what arrived for the photo or movie with index `index` is the
// blocks asked for, in a form the assembly and the decoding turn into the
// file and nothing else: from the first block header on (what comes before
// it, the late end of an earlier answer, is not used), each header carries
// the index and the block numbers 1, 2, 3, ... in turn (the past-the-end
// answer, number 0, only as the last); the fields before the data may hold
// any text without control bytes (a length, a file name); and a block that
// another follows closes, right after its data, with what the assembly and
// the decoding drop: a quote, LF and CR; a quote, a blank, a zero and eight
// more bytes; for movies, a quote and the OK line; or nothing. An "ERROR"
// or stray bytes in place of a block, or filler lines, would otherwise end
// up inside the saved file.
bool MediaBlocksFramed(ByteView received, bool movies, std::string_view index);

// The photo's data out of its blocks; none when no block header arrived.
// Every block but the last is taken whole up to the next header; the last
// ends at its first FF D9, and without one the result still ends in FF D9.
std::optional<Bytes> AssemblePhoto(ByteView received);

// The movie's data out of its blocks; none when no block header arrived.
// A block ends before the quote that precedes "\r\n\r\nOK\r\n", or at the
// next header; a last block without the OK ends at its first zero byte.
std::optional<Bytes> AssembleMovie(ByteView received);
