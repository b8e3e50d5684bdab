// SPDX-License-Identifier: GPL-3.0-or-later
// Csv.h: one spreadsheet table as text. Reading keeps the line of every row, so that a message
// can point at the cell a user has to mend; writing gives what a German spreadsheet opens
// without asking: UTF-8 with its byte-order mark, ";" between fields, CR LF line ends.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw::csv {

// A row of a table and the line of the file it starts on (1-based).
struct Row {
    int Line = 0;
    std::vector<std::string> Cells;
};

// A table: the headings of its first non-blank line and the rows below it. Rows whose every
// cell is blank are left out, as blank lines are.
struct Table {
    int HeadingLine = 0; // 0 when the text holds no line at all
    std::vector<std::string> Headings;
    std::vector<Row> Rows;
};

// The text of a table file's bytes: UTF-8 with or without the byte-order mark; bytes that are
// no well-formed UTF-8 are read as Windows-1252.
std::string DecodeBytes(std::string_view bytes);

// Parses `text` (UTF-8). Fields are separated by ";", or by "," when the heading line holds no
// ";"; a field in double quotes may hold the separator, quotes (doubled) and line ends; blanks
// around an unquoted field are dropped. Nothing when the parser runs out of memory.
std::optional<Table> Parse(std::string_view text);

// The bytes of a table file: the byte-order mark, then every row, its fields separated by ";"
// and quoted where they need it, each row ended by CR LF.
std::string Write(const std::vector<std::vector<std::string>>& rows);

// A heading or file name as it is compared: lower case, umlauts spelt out ("Kürzel" and
// "KUERZEL" are both "kuerzel"), only letters and digits kept.
std::string Normalised(std::string_view text);

} // namespace sw::csv
