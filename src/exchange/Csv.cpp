// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Csv.h"

#include "model/Cp1252.h"

#include <csv.h>

#include <algorithm>
#include <cctype>

namespace sw::csv {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

// The end of the line that starts at `from`: just after its "\n", its lone "\r" or the text.
std::size_t LineEnd(std::string_view text, std::size_t from) {
    const std::size_t end = text.find_first_of("\r\n", from);
    if (end == std::string_view::npos) return text.size();
    if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') return end + 2;
    return end + 1;
}

// The separator the heading line asks for: ";" unless the first non-blank line has none and
// has a ",".
unsigned char Separator(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = LineEnd(text, at);
        const std::string_view line = text.substr(at, end - at);
        if (!IsBlank(line))
            return line.find(';') == std::string_view::npos &&
                           line.find(',') != std::string_view::npos
                       ? ','
                       : ';';
        at = end;
    }
    return ';';
}

// What the parser's callbacks build up.
struct Builder {
    Table table;
    int line = 1; // the line being fed
    Row row;      // the row being read
    bool headed = false;

    void Field(const char* data, std::size_t size) {
        std::string cell = size ? std::string(data, size) : std::string();
        // The row starts where its first field does: a quoted field may span lines.
        if (row.Cells.empty())
            row.Line = line - static_cast<int>(std::count(cell.begin(), cell.end(), '\n'));
        row.Cells.push_back(std::move(cell));
    }
    void EndRow() {
        const bool blank = std::all_of(row.Cells.begin(), row.Cells.end(),
                                       [](const std::string& c) { return IsBlank(c); });
        if (!blank) {
            if (!headed) {
                table.HeadingLine = row.Line;
                table.Headings = std::move(row.Cells);
                headed = true;
            } else {
                table.Rows.push_back(std::move(row));
            }
        }
        row = Row{};
    }
};

void OnField(void* data, std::size_t size, void* builder) {
    static_cast<Builder*>(builder)->Field(static_cast<const char*>(data), size);
}
void OnRow(int, void* builder) {
    static_cast<Builder*>(builder)->EndRow();
}

// A field as a ";" file needs it: in quotes when it holds the separator, a quote, a line end
// or blanks at an end that the reader would drop.
std::string Field(const std::string& text) {
    const bool quote = text.find_first_of(";\"\r\n") != std::string::npos ||
                       (!text.empty() && (std::isspace(static_cast<unsigned char>(text.front())) ||
                                          std::isspace(static_cast<unsigned char>(text.back()))));
    if (!quote) return text;
    std::string out(csv_write(nullptr, 0, text.data(), text.size()), '\0');
    csv_write(out.data(), out.size(), text.data(), text.size());
    return out;
}

} // namespace

std::string DecodeBytes(std::string_view bytes) {
    if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Cp1252ToUtf8(bytes);
}

std::optional<Table> Parse(std::string_view text) {
    csv_parser parser{};
    if (csv_init(&parser, 0) != 0) return std::nullopt;
    csv_set_delim(&parser, Separator(text));
    Builder builder;
    bool ok = true;
    // Fed line by line, so that every field knows the line it ends on.
    for (std::size_t at = 0; at < text.size() && ok; ++builder.line) {
        const std::size_t end = LineEnd(text, at);
        ok = csv_parse(&parser, text.data() + at, end - at, OnField, OnRow, &builder) == end - at;
        at = end;
    }
    if (builder.line > 1) --builder.line; // the last line fed, for a row without its line end
    if (ok) csv_fini(&parser, OnField, OnRow, &builder);
    csv_free(&parser);
    if (!ok) return std::nullopt;
    return std::move(builder.table);
}

std::string Write(const std::vector<std::vector<std::string>>& rows) {
    std::string out(kBom);
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i) out += ';';
            out += Field(row[i]);
        }
        out += "\r\n";
    }
    return out;
}

std::string Normalised(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (std::isalnum(c)) {
            out += static_cast<char>(std::tolower(c));
            continue;
        }
        if (c != 0xC3 || i + 1 >= text.size()) continue;
        switch (static_cast<unsigned char>(text[++i])) {
        case 0xA4: // ä
        case 0x84: // Ä
            out += "ae";
            break;
        case 0xB6: // ö
        case 0x96: // Ö
            out += "oe";
            break;
        case 0xBC: // ü
        case 0x9C: // Ü
            out += "ue";
            break;
        case 0x9F: // ß
            out += "ss";
            break;
        default:
            break;
        }
    }
    return out;
}

} // namespace sw::csv
