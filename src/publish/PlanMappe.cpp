// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/PlanMappe.h"

#include "export/TableWriters.h"
#include "io/SharedLibrary.h"
#include "model/SchulZeiten.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <unistd.h>

namespace sw {

namespace {

constexpr std::size_t kBlattnameLaenge = 31; // characters

// The first `n` characters of `utf8`.
std::string Anfang(const std::string& utf8, std::size_t n) {
    std::size_t zeichen = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0U) != 0x80U && zeichen++ == n)
            return utf8.substr(0, i);
    }
    return utf8;
}

std::string Klein(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// A sheet name the workbook takes: forbidden signs become "_", no quote at either end, at most
// 31 characters, unique regardless of case (" (2)", " (3)", ... for a name taken).
std::string Blattname(std::string name, std::set<std::string>& vergeben) {
    for (char& c : name)
        if (std::string_view("[]:*?/\\").find(c) != std::string_view::npos) c = '_';
    if (!name.empty() && name.front() == '\'') name.front() = '_';
    if (!name.empty() && name.back() == '\'') name.back() = '_';
    std::string kandidat = Anfang(name, kBlattnameLaenge);
    for (int n = 2; vergeben.count(Klein(kandidat)) != 0; ++n) {
        const std::string zusatz = " (" + std::to_string(n) + ")";
        kandidat = Anfang(name, kBlattnameLaenge - zusatz.size()) + zusatz;
    }
    vergeben.insert(Klein(kandidat));
    return kandidat;
}

std::string ArtName(PlanArt art) {
    switch (art) {
    case PlanArt::Lehrer:
        return "Lehrer ";
    case PlanArt::Klasse:
        return "Klasse ";
    default:
        return "Raum ";
    }
}

Blatt Uebersicht(const CPlan& plan, const std::vector<PlanEintrag>& eintraege) {
    Blatt b{"Übersicht", "uebersicht", {}};
    const int erste = plan.Nullte ? 0 : 1;
    std::vector<std::string> kopf{"Klasse"};
    for (int tag = 0; tag < plan.Tage; ++tag)
        for (int stunde = erste; stunde <= plan.Stunden; ++stunde)
            kopf.push_back(TagName(plan.Stamm().Angaben, tag) + " " + std::to_string(stunde));
    b.Zellen.push_back(std::move(kopf));
    for (const PlanEintrag& e : eintraege) {
        if (e.Art != PlanArt::Klasse) continue;
        std::vector<std::string> zeile{e.Name};
        for (int tag = 0; tag < plan.Tage; ++tag)
            for (int stunde = erste; stunde <= plan.Stunden; ++stunde)
                zeile.push_back(KlassenZelle(
                    plan, FindeKlassenStunde(plan, e.Index, SlotOf(tag, stunde)), true));
        b.Zellen.push_back(std::move(zeile));
    }
    return b;
}

Blatt PlanBlatt(const CPlan& plan, const PlanEintrag& e, const ExportOptionen& o,
                const std::vector<CStundenZeit>& zeiten) {
    Blatt b{ArtName(e.Art) + e.Name, e.Basis, {}};
    b.Zellen.push_back({Ueberschrift(e)});
    b.Zellen.emplace_back();
    std::vector<std::string> kopf{"Stunde", "Zeit"};
    for (int tag = 0; tag < plan.Tage; ++tag)
        kopf.push_back(TagName(plan.Stamm().Angaben, tag));
    b.Zellen.push_back(std::move(kopf));
    for (int stunde = plan.Nullte ? 0 : 1; stunde <= plan.Stunden; ++stunde) {
        std::vector<std::string> zeile{std::to_string(stunde),
                                       StundenZeitText(ZeitDerStunde(zeiten, plan.Nullte, stunde))};
        for (int tag = 0; tag < plan.Tage; ++tag)
            zeile.push_back(PlanZelle(plan, e, SlotOf(tag, stunde), o));
        b.Zellen.push_back(std::move(zeile));
    }
    return b;
}

// A temporary file name for the workbook, which libxlsxwriter can only write to a file.
std::string TemporaereDatei() {
    std::string muster =
        (std::filesystem::temp_directory_path() / "stundenwerk-mappe-XXXXXX").string();
    const int fd = mkstemp(muster.data());
    if (fd < 0) return {};
    close(fd);
    return muster;
}

// libxlsxwriter is loaded when the first workbook is written.
// clang-format off
#define SW_XLSX_FUNCTIONS(X) \
    X(format_set_align) X(format_set_bg_color) X(format_set_bold) X(format_set_border) \
    X(format_set_font_size) X(format_set_text_wrap) X(lxw_strerror) \
    X(workbook_add_format) X(workbook_add_worksheet) X(workbook_close) \
    X(workbook_new_opt) X(worksheet_freeze_panes) X(worksheet_set_column) \
    X(worksheet_set_row) X(worksheet_write_string)
// clang-format on
SW_LIBRARY_TABLE(XlsxLibrary, SW_XLSX_FUNCTIONS);

const XlsxLibrary& Xlsx() {
    static const XlsxLibrary table = XlsxLibrary::Load(STUNDENWERK_SONAME_XLSXWRITER);
    return table;
}

bool MappeSchreiben(const std::vector<Blatt>& blaetter, const std::string& pfad,
                    std::string& fehler) {
    const XlsxLibrary& x = Xlsx();
    if (!x.Error.empty()) {
        fehler = x.Error;
        return false;
    }
    lxw_workbook_options optionen{};
    lxw_workbook* mappe = x.workbook_new_opt(pfad.c_str(), &optionen);
    if (!mappe) {
        fehler = "Die Arbeitsmappe ließ sich nicht anlegen.";
        return false;
    }
    lxw_format* umbruch = x.workbook_add_format(mappe);
    x.format_set_text_wrap(umbruch);
    x.format_set_align(umbruch, LXW_ALIGN_VERTICAL_TOP);
    x.format_set_border(umbruch, LXW_BORDER_THIN);
    lxw_format* kopf = x.workbook_add_format(mappe);
    x.format_set_bold(kopf);
    x.format_set_bg_color(kopf, 0xD9D9D9);
    x.format_set_border(kopf, LXW_BORDER_THIN);
    lxw_format* titel = x.workbook_add_format(mappe);
    x.format_set_bold(titel);
    x.format_set_font_size(titel, 14);
    for (std::size_t n = 0; n < blaetter.size(); ++n) {
        const Blatt& b = blaetter[n];
        lxw_worksheet* blatt = x.workbook_add_worksheet(mappe, b.Name.c_str());
        if (!blatt) {
            x.workbook_close(mappe);
            fehler = "Das Blatt " + b.Name + " ließ sich nicht anlegen.";
            return false;
        }
        const bool uebersicht = n == 0;
        const std::size_t kopfZeile = uebersicht ? 0 : 2;
        x.worksheet_set_column(blatt, 0, 0, uebersicht ? 10 : 7, nullptr);
        x.worksheet_set_column(blatt, 1, uebersicht ? 1000 : 1, 12, nullptr);
        if (!uebersicht) x.worksheet_set_column(blatt, 2, 20, 20, nullptr);
        x.worksheet_freeze_panes(blatt, static_cast<lxw_row_t>(kopfZeile + 1), uebersicht ? 1 : 2);
        for (std::size_t r = 0; r < b.Zellen.size(); ++r) {
            int linien = 1;
            for (std::size_t c = 0; c < b.Zellen[r].size(); ++c) {
                const std::string& text = b.Zellen[r][c];
                lxw_format* format = r == kopfZeile || (c == 0 && r > kopfZeile) ? kopf
                                     : r > kopfZeile                             ? umbruch
                                     : r == 0                                    ? titel
                                                                                 : nullptr;
                linien = std::max(linien,
                                  1 + static_cast<int>(std::count(text.begin(), text.end(), '\n')));
                x.worksheet_write_string(blatt, static_cast<lxw_row_t>(r),
                                         static_cast<lxw_col_t>(c), text.c_str(), format);
            }
            // Excel does not grow rows with wrapped text on its own.
            if (r > kopfZeile)
                x.worksheet_set_row(blatt, static_cast<lxw_row_t>(r), 15.0 * linien, nullptr);
        }
    }
    const lxw_error e = x.workbook_close(mappe);
    if (e != LXW_NO_ERROR) {
        fehler = x.lxw_strerror(e);
        return false;
    }
    return true;
}

std::string CsvFeld(const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

} // namespace

std::vector<Blatt> PlanBlaetter(const CPlan& plan, const ExportOptionen& optionen) {
    const std::vector<PlanEintrag> eintraege = GewaehltePlanEintraege(plan, optionen);
    const std::vector<CStundenZeit> zeiten = StundenZeitenDerWoche(plan.Stamm().Angaben);
    std::vector<Blatt> out;
    out.reserve(eintraege.size() + 1);
    out.push_back(Uebersicht(plan, eintraege));
    for (const PlanEintrag& e : eintraege)
        out.push_back(PlanBlatt(plan, e, optionen, zeiten));
    std::set<std::string> vergeben;
    for (Blatt& b : out)
        b.Name = Blattname(b.Name, vergeben);
    return out;
}

std::optional<AusgabeDatei> PlanAlsXlsx(const CPlan& plan, const ExportOptionen& optionen,
                                        Reporter& reporter) {
    const std::string pfad = TemporaereDatei();
    std::string fehler = "Es ließ sich keine temporäre Datei anlegen.";
    std::optional<AusgabeDatei> out;
    if (!pfad.empty() && MappeSchreiben(PlanBlaetter(plan, optionen), pfad, fehler)) {
        std::ifstream in(pfad, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.good() || in.eof())
            out = AusgabeDatei{"stundenplan.xlsx", std::move(bytes)};
        else
            fehler = "Die Arbeitsmappe ließ sich nicht lesen.";
    }
    if (!pfad.empty()) std::remove(pfad.c_str());
    if (!out) reporter.Show({"Die Tabelle ließ sich nicht erzeugen: " + fehler, titel::Fehler});
    return out;
}

std::string CsvText(const Blatt& blatt) {
    std::string out = "\xEF\xBB\xBF";
    for (const auto& zeile : blatt.Zellen) {
        for (std::size_t c = 0; c < zeile.size(); ++c)
            out += (c > 0 ? ";" : "") + CsvFeld(zeile[c]);
        out += "\r\n";
    }
    return out;
}

std::vector<AusgabeDatei> PlanAlsCsv(const CPlan& plan, const ExportOptionen& optionen) {
    std::vector<AusgabeDatei> out;
    for (const Blatt& b : PlanBlaetter(plan, optionen))
        out.push_back({b.Datei + ".csv", CsvText(b)});
    return out;
}

} // namespace sw
