// SPDX-License-Identifier: GPL-3.0-or-later
// The .docx package: its parts, well-formed XML whatever the text holds, page setup, and table
// looks that differ from layout to layout.
#include "export/DocxWriter.h"
#include "export/DocxReader.h"
#include "export/TableLooks.h"

#include <gtest/gtest.h>

#include <set>

namespace sw {
namespace {

using test::ReadDocx;
using test::ReadDocxBytes;

ReadDocx Pack(const Document& doc) {
    const DocxBytes packed = PackDocx(doc);
    EXPECT_TRUE(packed.Ok) << packed.Error;
    return ReadDocxBytes(packed.Bytes);
}

Table SampleTable(int format) {
    Table t(3, 3);
    t.Format.Format = format;
    t.Cell(1, 2) = "Montag";
    t.Cell(1, 3) = "Dienstag";
    t.Cell(2, 1) = "1";
    t.Cell(3, 1) = "2";
    t.Cell(2, 2) = "Mathematik\nMüller\nR 101";
    t.PreferredWidthType = kBreiteProzent;
    t.PreferredWidth = 100;
    return t;
}

TEST(DocxPackage, HasItsPartsAndEveryPartParses) {
    Document doc;
    std::get<Paragraph>(doc.Body[0]).Text = "Klasse: 5a";
    doc.Body.emplace_back(SampleTable(kStandardLayout));
    doc.Body.emplace_back(Paragraph{});

    const ReadDocx docx = Pack(doc);
    ASSERT_TRUE(docx.Opened);
    for (const char* part : {"[Content_Types].xml", "_rels/.rels", "word/document.xml",
                             "word/_rels/document.xml.rels", "word/styles.xml"})
        EXPECT_TRUE(docx.Has(part)) << part;
    EXPECT_TRUE(docx.XmlErrors.empty()) << docx.XmlErrors.front();
    const std::string& types = docx.Parts.at("[Content_Types].xml");
    EXPECT_NE(types.find("/word/document.xml"), std::string::npos);
    EXPECT_NE(types.find("wordprocessingml.document.main+xml"), std::string::npos);
    EXPECT_NE(docx.Parts.at("_rels/.rels").find("Target=\"word/document.xml\""), std::string::npos);

    ASSERT_EQ(docx.Body.size(), 3u);
    EXPECT_EQ(std::get<test::ReadParagraph>(docx.Body[0]).Text, "Klasse: 5a");
    const auto& table = std::get<test::ReadTable>(docx.Body[1]);
    EXPECT_EQ(table.Rows(), 3u);
    EXPECT_EQ(table.Columns(), 3);
    EXPECT_EQ(table.GridColumns, 3);
    EXPECT_EQ(table.At(2, 2), "Mathematik\nMüller\nR 101");
    EXPECT_EQ(table.At(3, 3), "");
    // Type 2 with width 100: the whole width, in fiftieths of a percent.
    EXPECT_EQ(table.WidthType, "pct");
    EXPECT_EQ(table.Width, 5000);
}

TEST(DocxPackage, AnyTextGivesWellFormedXml) {
    Document doc;
    auto& p = std::get<Paragraph>(doc.Body[0]);
    p.Text = "Größe <&> \"Ä\" 'ß' \x01\x1f"
             "kaputt:\xff\xc3 Ende\r\nZeile\tTab";
    Table t(1, 1);
    t.Cell(1, 1) = "a]]>b<!--c-->\x7f";
    doc.Body.emplace_back(t);
    doc.Body.emplace_back(Paragraph{});

    const ReadDocx docx = Pack(doc);
    ASSERT_TRUE(docx.XmlErrors.empty()) << docx.XmlErrors.front();
    // Control characters are dropped, broken bytes become U+FFFD, CR LF is one line break.
    EXPECT_EQ(docx.Paragraphs()[0].Text,
              "Größe <&> \"Ä\" 'ß' kaputt:\xEF\xBF\xBD\xEF\xBF\xBD Ende\nZeile\tTab");
    EXPECT_EQ(docx.Tables()[0].At(1, 1), "a]]>b<!--c-->\x7f");
}

TEST(DocxPackage, OrientationTurnsThePage) {
    Document doc;
    ReadDocx portrait = Pack(doc);
    EXPECT_LT(portrait.PageWidth, portrait.PageHeight);
    EXPECT_EQ(portrait.Orient, "");

    doc.Orientation = PageOrientation::Landscape;
    ReadDocx landscape = Pack(doc);
    EXPECT_EQ(landscape.PageWidth, portrait.PageHeight);
    EXPECT_EQ(landscape.PageHeight, portrait.PageWidth);
    EXPECT_EQ(landscape.Orient, "landscape");
}

TEST(DocxPackage, PageBreaksStartNewPagesButNotAnEmptyFirstOne) {
    Document doc;
    std::get<Paragraph>(doc.Body[0]).PageBreakBefore = true;
    doc.Body.emplace_back(Paragraph{"Lehrer: A", kLinks, 0, false});
    doc.Body.emplace_back(Paragraph{"", kLinks, 0, true});
    doc.Body.emplace_back(Paragraph{"Lehrer: B", kZentriert, 0, false});

    const auto paragraphs = Pack(doc).Paragraphs();
    ASSERT_EQ(paragraphs.size(), 4u);
    EXPECT_FALSE(paragraphs[0].PageBreakBefore);
    EXPECT_TRUE(paragraphs[2].PageBreakBefore);
    EXPECT_FALSE(paragraphs[3].PageBreakBefore);
    EXPECT_EQ(paragraphs[3].Jc, "center");
}

TEST(DocxPackage, AutofitGivesTheHourColumnLessRoom) {
    Document doc;
    doc.Body.insert(doc.Body.begin(), SampleTable(4));
    const std::string xml = DocxParts(doc)[2].Content;
    const auto first = xml.find("<w:gridCol w:w=\"");
    const int hourColumn = std::stoi(xml.substr(first + 16));
    const int dayColumn = std::stoi(xml.substr(xml.find("<w:gridCol w:w=\"", first + 1) + 16));
    EXPECT_LT(hourColumn * 2, dayColumn);
}

// --- layouts -------------------------------------------------------------------------------------

TEST(TableLayouts, ListHasFortyNamedEntries) {
    const auto& namen = TabellenLayoutNamen();
    EXPECT_EQ(namen[0], "(ohne)");
    EXPECT_EQ(namen[1], "Einfach 1");
    EXPECT_EQ(namen[7], "Standard 4");
    EXPECT_EQ(namen[10], "Farbig 3");
    EXPECT_EQ(namen[15], "Spalten 5");
    EXPECT_EQ(namen[16], "Gitternetz 1");
    EXPECT_EQ(namen[31], "Liste 8");
    EXPECT_EQ(namen[32], "3D-Effekt 1");
    EXPECT_EQ(namen[35], "Aktuell");
    EXPECT_EQ(namen[kStandardLayout], "Elegant");
    EXPECT_EQ(namen[37], "Professionell");
    EXPECT_EQ(namen[39], "Spezial 2");
    EXPECT_EQ(std::set<std::string_view>(namen.begin(), namen.end()).size(), 40u);
}

// The XML of a table in layout `format`, from <w:tbl> to </w:tbl>.
std::string TableXml(int format, unsigned switches = 511u ^ 12u) {
    Document doc;
    Table t = SampleTable(format);
    t.Format.Switches = switches;
    doc.Body.insert(doc.Body.begin(), t);
    const std::string xml = DocxParts(doc)[2].Content;
    const auto from = xml.find("<w:tbl>");
    return xml.substr(from, xml.find("</w:tbl>") - from);
}

TEST(TableLayouts, EveryLayoutLooksDifferentWithTheSystemsSwitches) {
    std::set<std::string> seen;
    for (int f = 0; f < kLayoutAnzahl; ++f) {
        Document doc;
        doc.Body.insert(doc.Body.begin(), SampleTable(f));
        std::string error;
        ASSERT_TRUE(test::WellFormed(DocxParts(doc)[2].Content, error)) << f << ": " << error;
        EXPECT_TRUE(seen.insert(TableXml(f)).second) << TabellenLayoutNamen()[f];
    }
}

TEST(TableLayouts, OhneHasNoLinesAndElegantHasAFrame) {
    const std::string ohne = TableXml(0);
    EXPECT_EQ(ohne.find("w:val=\"single\""), std::string::npos);
    EXPECT_EQ(ohne.find("w:val=\"double\""), std::string::npos);
    EXPECT_EQ(ohne.find("<w:shd"), std::string::npos);
    EXPECT_EQ(ohne.find("<w:b/>"), std::string::npos);
    const std::string elegant = TableXml(kStandardLayout);
    EXPECT_NE(elegant.find("<w:top w:val=\"double\""), std::string::npos);
    EXPECT_NE(elegant.find("<w:insideH w:val=\"single\""), std::string::npos);
    EXPECT_NE(elegant.find("<w:b/>"), std::string::npos);
    EXPECT_NE(elegant.find("<w:tblHeader/>"), std::string::npos);
}

TEST(TableLayouts, SwitchesTakeTheirPartAway) {
    const int farbig1 = 8;
    const TableLook all = ResolveLook({farbig1, 511u});
    EXPECT_EQ(all.headFill, 0x1F3864);
    EXPECT_EQ(all.headText, 0xFFFFFF);

    const TableLook grey = ResolveLook({farbig1, 511u ^ kFarbe});
    EXPECT_EQ(grey.headFill, GreyOf(0x1F3864));
    EXPECT_EQ(grey.headFill & 0xFF, (grey.headFill >> 16) & 0xFF);

    // Without shading the white heading text would vanish on white paper: it goes too.
    const TableLook plain = ResolveLook({farbig1, 511u ^ kSchattierung});
    EXPECT_EQ(plain.headFill, kNoColour);
    EXPECT_EQ(plain.headText, kNoColour);
    EXPECT_EQ(plain.bandFill, kNoColour);

    const TableLook noLines = ResolveLook({kStandardLayout, 511u ^ kRahmen});
    EXPECT_EQ(noLines.lines, Lines::None);
    EXPECT_FALSE(noLines.headRule);
    EXPECT_EQ(TableXml(kStandardLayout, 511u ^ kRahmen).find("w:val=\"single\""),
              std::string::npos);

    const TableLook noHead = ResolveLook({kStandardLayout, 511u ^ kUeberschriften});
    EXPECT_FALSE(noHead.headBold);
    EXPECT_EQ(TableXml(kStandardLayout, 511u ^ kUeberschriften).find("<w:tblHeader/>"),
              std::string::npos);

    const TableLook noFirst = ResolveLook({38, 511u ^ kErsteSpalte});
    EXPECT_EQ(noFirst.firstFill, kNoColour);
    EXPECT_FALSE(noFirst.firstBold);

    EXPECT_EQ(GreyOf(kNoColour), kNoColour);
    EXPECT_EQ(GreyOf(0xFFFFFF), 0xFFFFFF);
}

} // namespace
} // namespace sw
