// Rows and description rows as the database hands them over: column
// descriptions, row edits and ids, the melody places, the media download's
// query and file name, and the progress texts keep their rules whatever the
// cells hold.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "FuzzCheck.h"
#include "models/ColumnSpec.h"
#include "models/RowEdits.h"
#include "phone/MediaFileData.h"
#include "phone/MelodySlots.h"
#include "worker/MediaDownloadQuery.h"
#include "worker/ProgressText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const int kind = in.ConsumeIntegralInRange(-1, 6);
    const int column = in.ConsumeIntegralInRange(-1, 5);
    const int row = in.ConsumeIntegralInRange(-1, 8);
    const size_t columns = in.ConsumeIntegralInRange<size_t>(0, 5);
    RowSet rows(in.ConsumeIntegralInRange<size_t>(0, 8));
    for (TextRow& cells : rows) {
        cells.resize(in.ConsumeIntegralInRange<size_t>(0, 5));
        for (std::string& cell : cells)
            cell = in.PickValueInArray({std::string("My Bell 3"), in.ConsumeRandomLengthString(10)});
    }
    const std::string text = in.ConsumeRandomLengthString(10);

    for (const TextRow& description : rows) {
        const ColumnSpec described = DescribeColumn(description);
        FUZZ_CHECK(described.title == (description.empty() ? "" : description[0]));
        const std::string lookup = LookupTableOf(description);
        FUZZ_CHECK(lookup.empty() || described.editorKind == kDropDownEditor);

        const bool movies = kind == 4;
        const std::string name = MediaFileName(description, movies);
        FUZZ_CHECK(name.find_first_of("\\/:*?\"<>|") == std::string::npos);
        for (char c : name)
            FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
        FUZZ_CHECK(name.size() >= 5 && name.compare(name.size() - 4, 4, movies ? ".mp4" : ".jpg") == 0);

        const MediaDownloadQuery query = BuildMediaDownloadQuery(kind, column < 0, &description);
        FUZZ_CHECK(!query.select || query.whereValue == (column < 0 ? "" : description.at(3)));
        FUZZ_CHECK(!query.select || column < 0 || !query.whereValue.empty());
        ProgressItemText(description);
    }
    FUZZ_CHECK(!BuildMediaDownloadQuery(kind, false, nullptr).select);

    const std::vector<std::string> names = MelodySlotNames(rows);
    FUZZ_CHECK(names.size() == 3 && MelodySlotItems(names).size() == 3);
    FUZZ_CHECK(BlankRow(columns).size() == (columns ? columns - 1 : 0));
    NextRecordId(rows, 1);

    const bool stored = IsStoredCell(rows, column, row);
    FUZZ_CHECK(!stored || (size_t(row) < rows.size() && size_t(column) < rows.front().size()));
    RowSet edited = rows;
    if (StoreCellText(edited, columns, column, row, text))
        FUZZ_CHECK(edited[row].at(column) == text);
    else
        FUZZ_CHECK(edited == rows);
    const auto removed = RemoveRow(edited, row);
    FUZZ_CHECK(removed ? edited.size() + 1 == rows.size() : edited.size() == rows.size());
    FUZZ_CHECK(RowCountOf(edited) == int(edited.size()));
    return 0;
}
