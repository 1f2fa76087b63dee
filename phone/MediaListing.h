#pragma once
#include <cstddef>

#include "db/DbTypes.h"

// The phone's list of photos or movies, as answered to "AT#PMCGL?" or
// "AT#PMMGL?": a header line with the marker, then one entry per line of
// four comma-separated fields (index, tag, path, size). Each entry gives a
// row of the media table: tag, name (the path's last part), size, index.

// The longest field the phone sends; a longer one is cut to this.
inline constexpr std::size_t MediaFieldLimit = 49;

// The rows listed in the first `length` bytes of `reply`, in order. Reading
// stops at a line whose first byte (after the line feed and the byte after
// it) is not a digit, at an entry without three commas or its closing line
// feed, and never reads past `length`. For movies the path is quoted: the
// name loses a trailing double quote.
RowSet ParseMediaListing(const char* reply, std::size_t length, bool movies);
