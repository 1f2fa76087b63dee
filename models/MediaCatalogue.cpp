#include "models/MediaCatalogue.h"

// The phone's media lists are not read yet: the table keeps what it holds.
void ReadMediaCatalogue(const std::string&, bool) {}
