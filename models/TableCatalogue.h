#pragma once
#include <string>

// The fixed list of the program's tables, indexed by TableKind. Kinds 0 to 4
// have a table window; kind 5 is the melody list, which the phone session
// fills and which has no window.
using TableKind = int;

inline constexpr TableKind kPhoneBookKind = 0;
inline constexpr TableKind kSchedulerKind = 1;
inline constexpr TableKind kMemoKind = 2;
inline constexpr TableKind kPhotoKind = 3;
inline constexpr TableKind kMovieKind = 4;
inline constexpr TableKind kMelodyKind = 5;
inline constexpr int kTableKindCount = 6;

// Table name in the database and window caption ("" for the melody list).
struct CatalogueEntry {
    const char* table;
    const char* caption;
};

// The entry of `kind`; an entry of empty texts for a kind outside the list.
const CatalogueEntry& CatalogueEntryOf(TableKind kind);

// Kinds that open a table window.
bool HasTableWindow(TableKind kind);
// Kinds whose windows write every change to the database at once (phone
// book, scheduler, memos); the media lists keep their edits in the window.
bool IsStoredTable(TableKind kind);

// The id of the first record added to an empty stored table: the phone book
// counts its positions from 1, the scheduler and the memos from 0.
long long FirstRecordIdOf(TableKind kind);

// The column-description table of a data table ("i_" + name) and the query
// whose column count sizes a new media row ("q_" + name).
std::string DescriptionTableOf(const std::string& table);
std::string RowQueryOf(const std::string& table);
