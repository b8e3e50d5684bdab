// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/DocxWriter.h"

#include "export/TableLooks.h"
#include "io/SharedLibrary.h"

#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace sw {

namespace {

constexpr const char* kXmlDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kNsW = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char* kNsRel = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kRelTypes = "http://schemas.openxmlformats.org/officeDocument/2006/"
                                  "relationships/";

constexpr int kA4Short = 11906;   // 210 mm
constexpr int kA4Long = 16838;    // 297 mm
constexpr int kMargin = 1134;     // 2 cm
constexpr int kTextSize = 22;     // half-points: 11 pt
constexpr int kCellTextSize = 20; // 10 pt inside tables
constexpr int kThinLine = 4;      // eighths of a point
constexpr int kHeavyLine = 12;

// --- text -----------------------------------------------------------------------------------

// Length of the UTF-8 sequence at s[i] and its code point; 0 when the bytes are not valid UTF-8.
int DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    int len = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

bool XmlAllows(char32_t cp) {
    return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) ||
           (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
}

std::string Hex(int rgb) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(rgb) & 0xFFFFFFu);
    return buf;
}

// Splits at "\n" (a "\r\n" or lone "\r" counts as one line break too).
std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

// Characters of the longest line, counting code points, for our own column fitting.
int LongestLine(std::string_view text) {
    int best = 0;
    for (const std::string& line : SplitLines(text)) {
        int n = 0;
        for (char c : line)
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
        best = std::max(best, n);
    }
    return best;
}

// --- runs and paragraphs ---------------------------------------------------------------------

struct RunLook {
    bool bold = false;
    int colour = kNoColour;
    int size = kTextSize;
};

void WriteRun(std::string& out, std::string_view text, const RunLook& look) {
    out += "<w:r><w:rPr>";
    if (look.bold) out += "<w:b/><w:bCs/>";
    if (look.colour != kNoColour) out += "<w:color w:val=\"" + Hex(look.colour) + "\"/>";
    if (look.size != kTextSize)
        out += "<w:sz w:val=\"" + std::to_string(look.size) + "\"/><w:szCs w:val=\"" +
               std::to_string(look.size) + "\"/>";
    out += "</w:rPr>";
    bool first = true;
    for (const std::string& line : SplitLines(text)) {
        if (!first) out += "<w:br/>";
        first = false;
        std::string piece;
        auto flush = [&] {
            if (!piece.empty()) out += "<w:t xml:space=\"preserve\">" + XmlText(piece) + "</w:t>";
            piece.clear();
        };
        for (char c : line) {
            if (c == '\t') {
                flush();
                out += "<w:tab/>";
            } else {
                piece += c;
            }
        }
        flush();
    }
    out += "</w:r>";
}

const char* JcOf(int alignment) {
    switch (alignment) {
    case kZentriert:
        return "center";
    case kRechts:
        return "right";
    case kBlocksatz:
        return "both";
    default:
        return "left";
    }
}

void WriteParagraph(std::string& out, const Paragraph& p, bool firstOfBody) {
    out += "<w:p><w:pPr>";
    // A break before the very first paragraph would only give an empty first page.
    if (p.PageBreakBefore && !firstOfBody) out += "<w:pageBreakBefore/>";
    out += "<w:spacing w:before=\"0\" w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/>";
    out += std::string("<w:jc w:val=\"") + JcOf(p.Alignment) + "\"/>";
    out += "</w:pPr>";
    if (!p.Text.empty()) WriteRun(out, p.Text, RunLook{});
    out += "</w:p>\n";
}

// --- tables ----------------------------------------------------------------------------------

std::string Border(const char* side, const char* val, int size, int colour) {
    std::string b = std::string("<w:") + side + " w:val=\"" + val + "\"";
    if (std::string_view(val) != "nil")
        b += " w:sz=\"" + std::to_string(size) + "\" w:space=\"0\" w:color=\"" + Hex(colour) + "\"";
    return b + "/>";
}

std::string FrameBorder(const char* side, const TableLook& look) {
    switch (look.style) {
    case LineStyle::Double:
        return Border(side, "double", kThinLine, look.lineColour);
    case LineStyle::Thick:
        return Border(side, "single", kHeavyLine, look.lineColour);
    default:
        return Border(side, "single", kThinLine, look.lineColour);
    }
}

std::string TableBorders(const TableLook& look) {
    const bool frameTopBottom = look.lines != Lines::None;
    const bool frameSides =
        look.lines == Lines::Frame || look.lines == Lines::Columns || look.lines == Lines::Grid;
    const bool insideH = look.lines == Lines::Rows || look.lines == Lines::Grid;
    const bool insideV = look.lines == Lines::Columns || look.lines == Lines::Grid;
    auto frame = [&](const char* side, bool on) {
        return on ? FrameBorder(side, look) : Border(side, "nil", 0, 0);
    };
    auto inner = [&](const char* side, bool on) {
        return on ? Border(side, "single", kThinLine, look.lineColour) : Border(side, "nil", 0, 0);
    };
    return "<w:tblBorders>" + frame("top", frameTopBottom) + frame("left", frameSides) +
           frame("bottom", frameTopBottom) + frame("right", frameSides) +
           inner("insideH", insideH) + inner("insideV", insideV) + "</w:tblBorders>";
}

std::string TableWidth(const Table& t) {
    switch (t.PreferredWidthType) {
    case kBreiteProzent:
        return "<w:tblW w:w=\"" + std::to_string(std::clamp(t.PreferredWidth, 0, 100) * 50) +
               "\" w:type=\"pct\"/>";
    case kBreitePunkt:
        return "<w:tblW w:w=\"" + std::to_string(std::max(t.PreferredWidth, 0) * 20) +
               "\" w:type=\"dxa\"/>";
    default:
        return "<w:tblW w:w=\"0\" w:type=\"auto\"/>";
    }
}

// Column widths in twips. With autofit the widths follow the longest line of each column, so a
// timetable's narrow hour column leaves the room to the days; otherwise all are equal.
std::vector<int> ColumnWidths(const Table& t, int textWidth) {
    int total = textWidth;
    if (t.PreferredWidthType == kBreiteProzent)
        total = textWidth * std::clamp(t.PreferredWidth, 1, 100) / 100;
    else if (t.PreferredWidthType == kBreitePunkt && t.PreferredWidth > 0)
        total = t.PreferredWidth * 20;
    std::vector<int> weight(static_cast<std::size_t>(t.Columns), 1);
    if (t.Format.Has(kAutoAnpassen))
        for (int c = 1; c <= t.Columns; ++c) {
            int longest = 0;
            for (int r = 1; r <= t.Rows; ++r)
                longest = std::max(longest, LongestLine(t.Cell(r, c)));
            weight[c - 1] = std::clamp(longest, 2, 30) + 2;
        }
    int sum = 0;
    for (int w : weight)
        sum += w;
    std::vector<int> widths;
    int used = 0;
    for (int c = 0; c < t.Columns; ++c) {
        const int w = c + 1 == t.Columns ? total - used : total * weight[c] / sum;
        widths.push_back(w);
        used += w;
    }
    return widths;
}

void WriteTable(std::string& out, const Table& t, int textWidth) {
    const TableLook look = ResolveLook(t.Format);
    const bool heading = t.Format.Has(kUeberschriften);
    const std::vector<int> widths = ColumnWidths(t, textWidth);

    out += "<w:tbl><w:tblPr>" + TableWidth(t) + TableBorders(look);
    out += std::string("<w:tblLayout w:type=\"") +
           (t.Format.Has(kAutoAnpassen) ? "autofit" : "fixed") + "\"/>";
    out += "<w:tblCellMar><w:left w:w=\"85\" w:type=\"dxa\"/>"
           "<w:right w:w=\"85\" w:type=\"dxa\"/></w:tblCellMar>";
    out += "</w:tblPr><w:tblGrid>";
    for (int w : widths)
        out += "<w:gridCol w:w=\"" + std::to_string(w) + "\"/>";
    out += "</w:tblGrid>\n";

    for (int r = 1; r <= t.Rows; ++r) {
        const bool head = heading && r == 1;
        const int bodyRow = heading ? r - 2 : r - 1; // 0 for the first body row
        out += "<w:tr><w:trPr><w:cantSplit/>";
        if (head) out += "<w:tblHeader/>";
        out += "</w:trPr>";
        for (int c = 1; c <= t.Columns; ++c) {
            int fill = kNoColour;
            RunLook run{.size = kCellTextSize};
            if (head) {
                fill = look.headFill;
                run.bold = look.headBold;
                run.colour = look.headText;
            } else {
                if (bodyRow % 2 == 1) fill = look.bandFill;
                if (c == 1) {
                    if (look.firstFill != kNoColour) fill = look.firstFill;
                    run.bold = look.firstBold;
                    run.colour = look.firstText;
                }
            }
            out += "<w:tc><w:tcPr><w:tcW w:w=\"" + std::to_string(widths[c - 1]) +
                   "\" w:type=\"dxa\"/>";
            if (head && look.headRule)
                out += "<w:tcBorders>" + Border("bottom", "single", kHeavyLine, look.lineColour) +
                       "</w:tcBorders>";
            if (fill != kNoColour)
                out += "<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"" + Hex(fill) + "\"/>";
            out += "</w:tcPr><w:p><w:pPr>"
                   "<w:spacing w:before=\"0\" w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/>";
            out += std::string("<w:jc w:val=\"") + (head ? "center" : "left") + "\"/></w:pPr>";
            const std::string& text = t.Cell(r, c);
            if (!text.empty()) WriteRun(out, text, run);
            out += "</w:p></w:tc>";
        }
        out += "</w:tr>\n";
    }
    out += "</w:tbl>\n";
}

// --- parts -----------------------------------------------------------------------------------

std::string DocumentXml(const Document& doc) {
    const PageGeometry page = GeometryOf(doc.Orientation);
    std::string out = kXmlDecl;
    out += std::string("<w:document xmlns:w=\"") + kNsW + "\"><w:body>\n";
    bool first = true;
    for (const Block& b : doc.Body) {
        if (const auto* p = std::get_if<Paragraph>(&b))
            WriteParagraph(out, *p, first);
        else
            WriteTable(out, std::get<Table>(b), page.TextWidth());
        first = false;
    }
    // A body must end in a paragraph; a table as last block gets one.
    if (doc.Body.empty() || std::holds_alternative<Table>(doc.Body.back()))
        WriteParagraph(out, Paragraph{}, doc.Body.empty());
    out += "<w:sectPr><w:pgSz w:w=\"" + std::to_string(page.Width) + "\" w:h=\"" +
           std::to_string(page.Height) + "\"";
    if (doc.Orientation == PageOrientation::Landscape) out += " w:orient=\"landscape\"";
    const std::string m = std::to_string(page.Margin);
    out += "/><w:pgMar w:top=\"" + m + "\" w:right=\"" + m + "\" w:bottom=\"" + m + "\" w:left=\"" +
           m + "\" w:header=\"567\" w:footer=\"567\" w:gutter=\"0\"/>";
    out += "</w:sectPr></w:body></w:document>\n";
    return out;
}

std::string StylesXml() {
    std::string out = kXmlDecl;
    out += std::string("<w:styles xmlns:w=\"") + kNsW + "\">";
    out += "<w:docDefaults><w:rPrDefault><w:rPr>"
           "<w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\" w:eastAsia=\"Arial\" w:cs=\"Arial\"/>"
           "<w:sz w:val=\"" +
           std::to_string(kTextSize) + "\"/><w:szCs w:val=\"" + std::to_string(kTextSize) +
           "\"/><w:lang w:val=\"de-DE\" w:eastAsia=\"de-DE\" w:bidi=\"ar-SA\"/>"
           "</w:rPr></w:rPrDefault><w:pPrDefault><w:pPr>"
           "<w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/>"
           "</w:pPr></w:pPrDefault></w:docDefaults>";
    out += "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\">"
           "<w:name w:val=\"Normal\"/><w:qFormat/></w:style>";
    out += "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\">"
           "<w:name w:val=\"Normal Table\"/><w:uiPriority w:val=\"99\"/><w:semiHidden/>"
           "<w:unhideWhenUsed/><w:tblPr><w:tblInd w:w=\"0\" w:type=\"dxa\"/><w:tblCellMar>"
           "<w:top w:w=\"0\" w:type=\"dxa\"/><w:left w:w=\"108\" w:type=\"dxa\"/>"
           "<w:bottom w:w=\"0\" w:type=\"dxa\"/><w:right w:w=\"108\" w:type=\"dxa\"/>"
           "</w:tblCellMar></w:tblPr></w:style>";
    out += "</w:styles>\n";
    return out;
}

std::string ContentTypesXml() {
    std::string out = kXmlDecl;
    out += "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" "
           "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
           "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
           "<Override PartName=\"/word/styles.xml\" ContentType=\"application/"
           "vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
           "</Types>\n";
    return out;
}

std::string Relationships(const char* type, const char* target) {
    return std::string(kXmlDecl) + "<Relationships xmlns=\"" + kNsRel + "\">" +
           "<Relationship Id=\"rId1\" Type=\"" + kRelTypes + type + "\" Target=\"" + target +
           "\"/></Relationships>\n";
}

// --- zip -------------------------------------------------------------------------------------
// libzip is loaded when the first document is packed.
// clang-format off
#define SW_ZIP_FUNCTIONS(X) \
    X(zip_close) X(zip_discard) X(zip_error_fini) X(zip_error_init) \
    X(zip_error_strerror) X(zip_file_add) X(zip_open_from_source) X(zip_source_buffer) \
    X(zip_source_buffer_create) X(zip_source_close) X(zip_source_error) \
    X(zip_source_free) X(zip_source_keep) X(zip_source_open) X(zip_source_read) \
    X(zip_source_seek) X(zip_source_tell) X(zip_strerror)
// clang-format on
SW_LIBRARY_TABLE(ZipLibrary, SW_ZIP_FUNCTIONS);

const ZipLibrary& Zip() {
    static const ZipLibrary table = ZipLibrary::Load(STUNDENWERK_SONAME_ZIP);
    return table;
}

struct SourceFree {
    void operator()(zip_source_t* s) const { Zip().zip_source_free(s); }
};
using SourcePtr = std::unique_ptr<zip_source_t, SourceFree>;

std::string ErrorText(zip_error_t& e) {
    const ZipLibrary& zip = Zip();
    std::string text = zip.zip_error_strerror(&e);
    zip.zip_error_fini(&e);
    return text;
}

} // namespace

std::string XmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        const int len = DecodeUtf8(text, i, cp);
        if (len == 0) {
            out += "\xEF\xBF\xBD"; // U+FFFD for a byte that starts no valid sequence
            ++i;
            continue;
        }
        if (XmlAllows(cp)) {
            switch (cp) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\r':
                out += "&#13;";
                break;
            default:
                out.append(text.substr(i, len));
            }
        }
        i += len;
    }
    return out;
}

PageGeometry GeometryOf(PageOrientation orientation) {
    if (orientation == PageOrientation::Landscape) return {kA4Long, kA4Short, kMargin};
    return {kA4Short, kA4Long, kMargin};
}

std::vector<DocxPart> DocxParts(const Document& doc) {
    return {
        {"[Content_Types].xml", ContentTypesXml()},
        {"_rels/.rels", Relationships("officeDocument", "word/document.xml")},
        {"word/document.xml", DocumentXml(doc)},
        {"word/_rels/document.xml.rels", Relationships("styles", "styles.xml")},
        {"word/styles.xml", StylesXml()},
    };
}

DocxBytes PackDocx(const Document& doc) {
    const std::vector<DocxPart> parts = DocxParts(doc);
    DocxBytes result;
    const ZipLibrary& zip = Zip();
    if (!zip.Error.empty()) {
        result.Error = zip.Error;
        return result;
    }
    zip_error_t error;
    zip.zip_error_init(&error);
    SourcePtr buffer(zip.zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer) {
        result.Error = ErrorText(error);
        return result;
    }
    zip_t* archive = zip.zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
    if (!archive) {
        result.Error = ErrorText(error);
        return result;
    }
    zip.zip_error_fini(&error);
    zip.zip_source_keep(buffer.get()); // the archive frees its reference on close
    for (const DocxPart& part : parts) {
        zip_source_t* s =
            zip.zip_source_buffer(archive, part.Content.data(), part.Content.size(), 0);
        if (!s || zip.zip_file_add(archive, part.Name.c_str(), s, ZIP_FL_ENC_UTF_8) < 0) {
            if (s) zip.zip_source_free(s);
            result.Error = zip.zip_strerror(archive);
            zip.zip_discard(archive);
            return result;
        }
    }
    if (zip.zip_close(archive) < 0) {
        result.Error = zip.zip_strerror(archive);
        zip.zip_discard(archive);
        return result;
    }
    zip_source_t* src = buffer.get();
    if (zip.zip_source_open(src) < 0) {
        result.Error = zip.zip_error_strerror(zip.zip_source_error(src));
        return result;
    }
    zip.zip_source_seek(src, 0, SEEK_END);
    const zip_int64_t size = zip.zip_source_tell(src);
    zip.zip_source_seek(src, 0, SEEK_SET);
    if (size > 0) {
        result.Bytes.resize(static_cast<std::size_t>(size));
        if (zip.zip_source_read(src, result.Bytes.data(), static_cast<zip_uint64_t>(size)) !=
            size) {
            result.Error = zip.zip_error_strerror(zip.zip_source_error(src));
            result.Bytes.clear();
            zip.zip_source_close(src);
            return result;
        }
    }
    zip.zip_source_close(src);
    result.Ok = !result.Bytes.empty();
    if (!result.Ok) result.Error = "leeres Archiv";
    return result;
}

} // namespace sw
