#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "db/DbTypes.h"

// The file bytes of an assembled photo or movie: the phone escapes the
// bytes its framing uses (7D and a substitute) and leaves short quote
// sequences between blocks, which are dropped here. Reads the first `length`
// bytes of `assembled`; past its end the bytes count as zero.
std::string DecodeMediaData(std::string_view assembled, std::size_t length);

// The name a downloaded row is saved under, without its folder: the name
// column's printable characters other than blanks, "#", "'", the double
// quote and those Windows forbids in file names; "_"; the tag column
// without control bytes and those forbidden characters; ".jpg" for photos,
// ".mp4" for movies. Nothing from the phone can name another folder.
std::string MediaFileName(const TextRow& row, bool movies);
