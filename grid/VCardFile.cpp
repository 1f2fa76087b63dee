#include "grid/VCardFile.h"

#include "common/Cp1251Text.h"
#include "grid/ContentLines.h"

// A line break in a cell is written as "\n" whatever its bytes (CR LF, a lone
// CR or LF), and read back as CR LF, the line break of the program's edit
// boxes: a cell with CR LF comes back byte for byte, a lone CR or LF comes
// back as CR LF.

namespace {
constexpr std::size_t NumberCount = BookNumber5 - BookNumber1 + 1;

// The card's lines read into a row, or the reason it is refused.
class CardReader : RowReading {
public:
    explicit CardReader(const UtcToLocal& toLocal) : toLocal_(toLocal) {}

    ImportedRow Read(const std::vector<const ContentLine*>& lines)
    {
        for (const ContentLine* line : lines)
            if (line->name == "VERSION")
                escaped_ = Trimmed(line->value) != "2.1";
        row_.cells.assign(BookColumns, std::string());
        std::string fromN;
        std::size_t numbers = 0, notes = 0;
        bool haveStamp = false;
        for (const ContentLine* line : lines) {
            const std::string& name = line->name;
            if (name == "FN" && row_.cells[BookName].empty()) {
                row_.cells[BookName] = Text(*line);
            } else if (name == "N" && fromN.empty()) {
                fromN = NameOfParts(*line);
            } else if (name == "TEL") {
                std::string number = Text(*line);
                // Version 4.0 may give the number as a "tel:" address.
                const std::string* type = line->Param("VALUE");
                if (type && SameWord(*type, "uri") && number.size() >= 4 && SameWord(number.substr(0, 4), "tel:"))
                    number.erase(0, 4);
                if (number.empty())
                    continue;
                if (numbers == NumberCount)
                    Refuse("больше пяти номеров");
                else
                    row_.cells[BookNumber1 + numbers++] = number;
            } else if (name == "NOTE") {
                if (notes == 2)
                    Refuse("больше двух заметок");
                else
                    row_.cells[BookText1 + notes++] = Text(*line);
            } else if (name == "REV" && !haveStamp) {
                haveStamp = true;
                std::string stamp;
                if (StampFromIso(Trimmed(line->value), toLocal_, stamp))
                    row_.cells[BookStamp] = stamp;
            }
        }
        if (row_.cells[BookName].empty())
            row_.cells[BookName] = fromN;
        bool empty = true;
        for (std::size_t k = BookName; k <= BookText2; ++k)
            empty = empty && row_.cells[k].empty();
        if (empty)
            Refuse("пустая карточка");
        return std::move(row_);
    }

private:
    // Given, additional and family names, those there are, between spaces.
    std::string NameOfParts(const ContentLine& line)
    {
        const std::vector<std::string> parts = SplitUnescaped(Raw(line), ';');
        std::string name;
        for (const std::size_t k : {1, 2, 0}) {
            // Version 2.1 has no escapes but "\;" in these parts.
            const std::string part = k < parts.size() ? WithCrLf(UnescapeText(parts[k])) : std::string();
            if (part.empty())
                continue;
            if (!name.empty())
                name += ' ';
            name += part;
        }
        return name;
    }

    const UtcToLocal& toLocal_;
};
}  // namespace

std::string BuildVCards(const RowSet& rows)
{
    std::string out;
    out.reserve(rows.size() * 160);
    std::string line;
    const auto property = [&](const char* name, std::string_view cell, bool separators = true,
                              const char* after = "") {
        line = name;
        line += EscapeText(Cp1251ToUtf8(cell), separators);
        line += after;
        AppendFolded(out, line);
    };
    for (const TextRow& row : rows) {
        out += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
        property("FN:", CellOf(row, BookName));
        // The whole name is the family name: the table has one name column.
        property("N:", CellOf(row, BookName), true, ";;;;");
        for (std::size_t k = BookNumber1; k <= BookNumber5; ++k)
            if (!CellOf(row, k).empty())
                property("TEL:", CellOf(row, k), false);
        if (!CellOf(row, BookText1).empty() || !CellOf(row, BookText2).empty())
            property("NOTE:", CellOf(row, BookText1));
        if (!CellOf(row, BookText2).empty())
            property("NOTE:", CellOf(row, BookText2));
        const std::string_view stamp = CellOf(row, BookStamp);
        if (IsStamp(stamp)) {
            out += "REV:";
            out.append(stamp.substr(0, 4)) += '-';
            out.append(stamp.substr(4, 2)) += '-';
            out.append(stamp.substr(6, 5)) += ':';
            out.append(stamp.substr(11, 2)) += ':';
            out.append(stamp.substr(13, 2)) += "\r\n";
        }
        out += "END:VCARD\r\n";
    }
    return out;
}

ImportedRows ReadVCards(std::string_view file, const UtcToLocal& toLocal)
{
    ImportedRows result;
    const std::vector<ContentLine> lines = ReadContentLines(file);
    std::vector<const ContentLine*> card;
    bool anyCard = false;
    // A 2.1 AGENT may hold a card of its own: only the outer card's lines count.
    std::size_t depth = 0;
    for (const ContentLine& line : lines) {
        const bool vcard = SameWord(Trimmed(line.value), "VCARD");
        if (line.name == "BEGIN" && vcard) {
            anyCard = true;
            if (depth++ == 0)
                card.clear();
        } else if (line.name == "END" && vcard && depth > 0) {
            if (--depth == 0)
                result.rows.push_back(CardReader(toLocal).Read(card));
        } else if (depth == 1) {
            card.push_back(&line);
        }
    }
    // A card the file breaks off is read as far as it goes.
    if (depth > 0)
        result.rows.push_back(CardReader(toLocal).Read(card));
    if (!anyCard)
        result.error = "В файле нет карточек vCard.";
    return result;
}
