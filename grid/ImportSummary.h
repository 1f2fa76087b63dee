#pragma once
#include <string>
#include <vector>

#include "grid/InterchangeRows.h"
#include "models/RowImport.h"

// The words of the box that ends an import: how many rows were added,
// skipped as already there and refused, and why each refused one was (its
// number in the file first; the first few reasons only). `results` holds
// one result per row of `read` that the reader did not refuse, in order.
struct ImportSummary {
    std::string text;
    bool anyRefused = false;
};
ImportSummary SummariseImport(const ImportedRows& read, const std::vector<ImportResult>& results);

// The reasons listed at most; the rest are counted.
constexpr std::size_t ImportReasonsShown = 10;
