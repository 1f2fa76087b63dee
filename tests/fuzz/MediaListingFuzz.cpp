// The photo and movie catalogue: every row has its four cells within the
// field limit, the index starts with a digit, and the name is the last part
// of a path (no "/").
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "phone/MediaListing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool movies = data[0] & 1;
    const std::vector<char> reply(data + 1, data + size);  // no terminator: a read past it is a finding
    for (const TextRow& row : ParseMediaListing(reply.data(), reply.size(), movies)) {
        FUZZ_CHECK(row.size() == 4);
        for (const std::string& cell : row)
            FUZZ_CHECK(cell.size() <= MediaFieldLimit);
        FUZZ_CHECK(!row[3].empty() && row[3][0] >= '0' && row[3][0] <= '9');
        FUZZ_CHECK(row[1].find('/') == std::string::npos);
        FUZZ_CHECK(row[2].find('\n') == std::string::npos);
    }
    return 0;
}
