// SPDX-License-Identifier: GPL-3.0-or-later
// Tokens.h: the token stream under the master-data (.sdt) and plan (.pdt) files. Both work on
// UTF-8 text; the conversion to and from Windows-1252 happens when the file is written or read.
//
// A text is one token: each blank becomes "%%", an empty text becomes "_". The writer lays the
// values out line by line with "\r\n" line ends; the reader relies on nothing but white space
// between tokens.
#pragma once

#include "model/Entities.h"
#include "model/Report.h"
#include "model/Slot.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sw {

// The token of a text: blanks as "%%", the empty text as "_".
std::string EncodeText(std::string_view text);
// The text of a token: "_" gives the empty text, every "%%" becomes a blank (searching again
// from the start after each replacement).
std::string DecodeText(std::string_view token);
// True when `text` can stand in every file (model/Names.h: no "%%", no "%" before a blank that
// the decoding would swallow, no white space but the plain blank, no comma, not the lone "_",
// only characters Windows-1252 carries) and comes back unchanged from EncodeText/DecodeText.
bool IsStorableText(std::string_view text, bool commaAllowed = false);

// Builds the text of a token file. Values either stand on a line of their own (Write…) or are
// gathered on one line (Append…, then EndLine).
class TokenWriter {
public:
    // A value on a line of its own.
    void WriteWord(std::string_view token);
    void WriteInt(int value);
    void WriteFlag(Flag value); // any non-zero value is written as "1"
    void WriteText(std::string_view text);
    // The 91 flags of a lock grid, each followed by one blank, then one line break.
    void WriteGrid(const LockGrid& grid);
    // A unit: "Laenge Zeitvorgabe Raum" on one line, then NurUrPlan, OberesLimit, UnteresLimit,
    // TagesLimit and Tag each on a line.
    void WriteEinheit(const CEinheit& einheit);

    // Adds a token to the current line, one blank apart from a token before it.
    void Append(std::string_view token);
    void AppendInt(int value);
    // Adds a token followed by one blank (the grid style: "0 1 0 ").
    void AppendWithBlank(std::string_view token);
    void EndLine();

    const std::string& Text() const { return out_; }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

// Reads the tokens of a file's decoded text in order. The first fault is kept together with the
// number of the token it concerns (1-based); every later read returns a neutral value (0, empty,
// a free grid), so a reading routine may read on and ask Ok() at its end. Loops over counts
// should stop as soon as Ok() turns false.
class TokenReader {
public:
    TokenReader() = default;
    // `fileName` appears in the fault message.
    TokenReader(std::string text, std::string fileName);

    std::string ReadWord();
    int ReadInt();
    // An integer in [min, max]; otherwise the fault "Wort N: "token" " + `fault`.
    int ReadIntIn(int min, int max, std::string_view fault);
    Flag ReadFlag(); // the token "0" or "1"
    // A text; one that could not be written again to every file is refused, named as `what`
    // ("Der Lehrer") with the character at fault (model/Names.h).
    // `commaAllowed` for a short form or course name, which no list of the project file holds.
    std::string ReadText(std::string_view what = "Der Text", bool commaAllowed = false);
    // A count of items that need at least `tokensPerItem` tokens each: refused when negative or
    // when the remaining tokens cannot hold that many items, before anything is allocated.
    int ReadCount(int tokensPerItem = 1);
    LockGrid ReadGrid();
    // A unit; its length must lie in 1..`maxLength` (the hours of one day).
    CEinheit ReadEinheit(int maxLength);

    // Records a fault at token `position` unless one is recorded already. `reason` is a
    // sentence such as "Der Lehrer "X" steht nicht in der Lehrerliste.".
    void Fail(int position, std::string_view reason);

    // Whether the next token is `word`; reads nothing.
    bool NextIs(std::string_view word) const;

    bool Ok() const { return !fault_.has_value(); }
    // Number of the last token read (0 before the first).
    int Position() const { return static_cast<int>(next_); }
    std::size_t Remaining() const { return tokens_.size() - next_; }
    const std::string& FileName() const { return fileName_; }
    // Success, or the fault as a message titled "Dateifehler".
    Outcome Result() const;

private:
    // The next token, or nullopt (with the fault "unexpected end") when none is left.
    std::optional<std::string_view> Next();
    // The fault for the token just read: "Wort N: "token" " + `what`.
    void FailToken(std::string_view token, std::string_view what);

    std::string text_;
    // Offset and length of each token in `text_`; offsets stay valid when the reader moves.
    std::vector<std::pair<std::size_t, std::size_t>> tokens_;
    std::size_t next_ = 0;
    std::string fileName_;
    std::optional<std::string> fault_;
};

} // namespace sw
