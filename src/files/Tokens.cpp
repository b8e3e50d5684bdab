// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Tokens.h"

#include "model/Names.h"
#include "model/Text.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace sw {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kEmptyToken = "_";
constexpr std::string_view kBlankToken = "%%";
// Longest piece of a faulty token quoted in a message; a damaged file may hold one huge token.
constexpr std::size_t kQuoteLimit = 40;

// The white space that separates tokens.
bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// `token` for a message, cut when it is too long, control characters made visible.
std::string Quoted(std::string_view token) {
    return "\"" + ForMessage(token, kQuoteLimit) + "\"";
}

} // namespace

std::string EncodeText(std::string_view text) {
    if (text.empty()) return std::string(kEmptyToken);
    return ReplaceAll(std::string(text), " ", kBlankToken);
}

std::string DecodeText(std::string_view token) {
    if (token == kEmptyToken) return {};
    return ReplaceAll(std::string(token), kBlankToken, " ");
}

bool IsStorableText(std::string_view text, bool commaAllowed) {
    return !NameFault(text, commaAllowed) && DecodeText(EncodeText(text)) == text;
}

// ---- TokenWriter ----

void TokenWriter::WriteWord(std::string_view token) {
    out_ += token;
    out_ += kLineEnd;
}

void TokenWriter::WriteInt(int value) {
    WriteWord(std::to_string(value));
}

void TokenWriter::WriteFlag(Flag value) {
    WriteWord(value != 0 ? "1" : "0");
}

void TokenWriter::WriteText(std::string_view text) {
    WriteWord(EncodeText(text));
}

void TokenWriter::WriteGrid(const LockGrid& grid) {
    for (Flag cell : grid)
        AppendWithBlank(cell != 0 ? "1" : "0");
    EndLine();
}

void TokenWriter::WriteEinheit(const CEinheit& einheit) {
    AppendInt(einheit.Laenge);
    AppendInt(einheit.Zeitvorgabe);
    Append(EncodeText(einheit.Raum));
    EndLine();
    WriteFlag(einheit.NurUrPlan);
    WriteFlag(einheit.OberesLimit);
    WriteFlag(einheit.UnteresLimit);
    WriteFlag(einheit.TagesLimit);
    WriteInt(einheit.Tag);
}

void TokenWriter::Append(std::string_view token) {
    if (!out_.empty() && out_.back() != '\n' && out_.back() != ' ') out_ += ' ';
    out_ += token;
}

void TokenWriter::AppendInt(int value) {
    Append(std::to_string(value));
}

void TokenWriter::AppendWithBlank(std::string_view token) {
    Append(token);
    out_ += ' ';
}

void TokenWriter::EndLine() {
    out_ += kLineEnd;
}

// ---- TokenReader ----

TokenReader::TokenReader(std::string text, std::string fileName)
    : text_(std::move(text)), fileName_(std::move(fileName)) {
    std::size_t i = 0;
    while (i < text_.size()) {
        while (i < text_.size() && IsSeparator(text_[i]))
            ++i;
        const std::size_t start = i;
        while (i < text_.size() && !IsSeparator(text_[i]))
            ++i;
        if (i > start) tokens_.emplace_back(start, i - start);
    }
}

std::optional<std::string_view> TokenReader::Next() {
    if (!Ok()) return std::nullopt;
    if (next_ >= tokens_.size()) {
        Fail(static_cast<int>(tokens_.size()) + 1, "unerwartetes Dateiende.");
        return std::nullopt;
    }
    const auto [offset, length] = tokens_[next_++];
    return std::string_view(text_).substr(offset, length);
}

void TokenReader::FailToken(std::string_view token, std::string_view what) {
    Fail(Position(), Quoted(token) + " " + std::string(what));
}

void TokenReader::Fail(int position, std::string_view reason) {
    if (fault_) return;
    fault_ = "Fehler beim Lesen der Datei " + fileName_ + ":\nWort " + std::to_string(position) +
             ": " + std::string(reason);
}

Outcome TokenReader::Result() const {
    if (Ok()) return Outcome::Success();
    return Outcome::Failure(*fault_, titel::Dateifehler);
}

std::string TokenReader::ReadWord() {
    const auto token = Next();
    return token ? std::string(*token) : std::string();
}

int TokenReader::ReadInt() {
    return ReadIntIn(INT_MIN, INT_MAX, "");
}

int TokenReader::ReadIntIn(int min, int max, std::string_view fault) {
    const auto token = Next();
    if (!token) return 0;
    const auto value = ParseInt(*token);
    if (!value) {
        FailToken(*token, IsOverflowingNumber(*token) ? "ist zu groß." : "ist keine ganze Zahl.");
        return 0;
    }
    if (*value < min || *value > max) {
        FailToken(*token, fault);
        return 0;
    }
    return *value;
}

Flag TokenReader::ReadFlag() {
    const auto token = Next();
    if (!token) return 0;
    if (*token == "0") return 0;
    if (*token == "1") return 1;
    FailToken(*token, "ist weder 0 noch 1.");
    return 0;
}

std::string TokenReader::ReadText(std::string_view what, bool commaAllowed) {
    const auto token = Next();
    if (!token) return {};
    std::string text = DecodeText(*token);
    // A token such as "a%%%b" decodes to a text that would be written back as another token, a
    // no-break space or a comma could not stand in the project file: such a text is refused
    // here, so that whatever is read can be written to every file and read again.
    if (!text.empty() && !IsStorableText(text, commaAllowed)) {
        if (const auto fault = NameFault(text, commaAllowed))
            Fail(Position(), NameFaultText(what, text, *fault));
        else
            FailToken(*token, "ist kein gültiger Text.");
        return {};
    }
    return text;
}

bool TokenReader::NextIs(std::string_view word) const {
    if (!Ok() || next_ >= tokens_.size()) return false;
    const auto [offset, length] = tokens_[next_];
    return std::string_view(text_).substr(offset, length) == word;
}

int TokenReader::ReadCount(int tokensPerItem) {
    const auto token = Next();
    if (!token) return 0;
    const auto value = ParseInt(*token);
    if (!value) {
        FailToken(*token, IsOverflowingNumber(*token) ? "ist zu groß." : "ist keine ganze Zahl.");
        return 0;
    }
    const auto needed = static_cast<std::int64_t>(*value) * std::max(tokensPerItem, 1);
    if (*value < 0 || needed > static_cast<std::int64_t>(Remaining())) {
        FailToken(*token, "ist keine gültige Anzahl.");
        return 0;
    }
    return *value;
}

LockGrid TokenReader::ReadGrid() {
    LockGrid grid = FreeGrid();
    for (auto& cell : grid) {
        cell = ReadFlag();
        if (!Ok()) return FreeGrid();
    }
    return grid;
}

CEinheit TokenReader::ReadEinheit(int maxLength) {
    CEinheit e;
    e.Laenge = ReadIntIn(1, maxLength,
                         "ist keine gültige Länge einer Einheit (1 bis " +
                             std::to_string(maxLength) + ", die Stunden eines Tages).");
    e.Zeitvorgabe = ReadIntIn(kNoSlot, kSlotCount - 1,
                              "ist keine gültige Zeitvorgabe (" + std::to_string(kNoSlot) +
                                  " bis " + std::to_string(kSlotCount - 1) + ").");
    e.Raum = ReadText("Der Raum");
    e.NurUrPlan = ReadFlag();
    e.OberesLimit = ReadFlag();
    e.UnteresLimit = ReadFlag();
    e.TagesLimit = ReadFlag();
    e.Tag = ReadIntIn(-1, kMaxDays - 1,
                      "ist kein gültiger Tag (-1 bis " + std::to_string(kMaxDays - 1) + ").");
    return e;
}

} // namespace sw
