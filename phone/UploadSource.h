#pragma once
#include <cstdint>
#include <string>

#include "common/Handles.h"

// A file the user chose for an upload, opened for reading. It is read in
// order, block by block; a block that cannot be read whole (the file
// shrank or the read failed) is a failure, so that no block goes out short
// or twice.
class UploadSource {
public:
    // False when the file cannot be opened or its size not taken.
    bool Open(const std::string& path);
    std::uint64_t Size() const { return size_; }
    // Reads exactly `count` bytes into `bytes`, replacing its contents.
    bool Read(std::size_t count, std::string& bytes);
    // Reads exactly `count` bytes into `buffer`.
    bool Read(std::size_t count, char* buffer);

private:
    FileHandle file_;
    std::uint64_t size_ = 0;
};
