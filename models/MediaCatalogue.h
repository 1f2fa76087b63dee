#pragma once
#include <string>

// Empties a media table (`photo` or `camera`) and refills it from the
// phone's list of photos, or of movies when `movies` is set.
void ReadMediaCatalogue(const std::string& table, bool movies);
