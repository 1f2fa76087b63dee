#include "phone/MediaListing.h"

#include <string_view>

namespace {
constexpr std::string_view PhotoMarker = "#PMCGL";
constexpr std::string_view MovieMarker = "#PMMGL";

std::string_view Field(std::string_view text)
{
    return text.substr(0, MediaFieldLimit);
}

// The path's part after its last "/", all of it without one.
std::string NameOf(std::string_view path, bool movies)
{
    path = Field(path);
    const size_t slash = path.rfind('/');
    if (slash != std::string_view::npos)
        path.remove_prefix(slash + 1);
    if (movies && !path.empty() && path.back() == '"')
        path.remove_suffix(1);
    return std::string(path);
}
}  // namespace

RowSet ParseMediaListing(const char* reply, std::size_t length, bool movies)
{
    RowSet rows;
    if (!reply)
        return rows;
    const std::string_view answer(reply, length);
    const size_t marker = answer.find(movies ? MovieMarker : PhotoMarker);
    if (marker == std::string_view::npos)
        return rows;
    // The marker's own line is a header.
    size_t lineFeed = answer.find('\n', marker);
    while (lineFeed != std::string_view::npos) {
        // The line feed and the byte after it are skipped.
        const size_t start = lineFeed + 2;
        if (start >= answer.size() || answer[start] < '0' || answer[start] > '9')
            break;
        // The first three fields end at the next commas, wherever they are.
        size_t fieldStart = start;
        std::string_view fields[3];
        bool complete = true;
        for (std::string_view& field : fields) {
            const size_t comma = answer.find(',', fieldStart);
            if (comma == std::string_view::npos) {
                complete = false;
                break;
            }
            field = answer.substr(fieldStart, comma - fieldStart);
            fieldStart = comma + 1;
        }
        if (!complete)
            break;
        const size_t end = answer.find('\n', fieldStart);
        if (end == std::string_view::npos)
            break;
        const std::string_view size = answer.substr(fieldStart, end - fieldStart);
        rows.push_back(TextRow{std::string(Field(fields[1])), NameOf(fields[2], movies), std::string(Field(size)),
                               std::string(Field(fields[0]))});
        // The next entry follows the line feed that ends this one.
        lineFeed = answer.find('\n', start);
    }
    return rows;
}
