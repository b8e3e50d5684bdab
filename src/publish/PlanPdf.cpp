// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/PlanPdf.h"

#include "export/TableLooks.h"
#include "export/Word.h"
#include "io/SharedLibrary.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace sw {

namespace {

constexpr double kA4Breite = 595.276; // points
constexpr double kA4Hoehe = 841.890;
constexpr double kRand = 42.52; // 1.5 cm
constexpr double kUeberschrift = 14;
constexpr double kSchrift = 9;
constexpr double kKleinsteSchrift = 5;
constexpr double kInnen = 3; // padding inside a cell
constexpr const char* kFont = "DejaVu Sans";

// Keeps the document in memory: the export run checks and writes its target through this.
class Speicher : public FileOps {
public:
    bool Exists(const std::string&) override { return false; }
    FileResult Copy(const std::string&, const std::string&) override { return {}; }
    bool Remove(const std::string&) override { return false; }
    FileResult CreateEmpty(const std::string&) override { return {}; }
    FileResult WriteReplacing(const std::string&, std::string_view) override { return {}; }
    FileResult CheckWritable(const std::string&) override { return {}; }
    FileContent ReadAll(const std::string&) override { return {std::nullopt, "-"}; }
};

// cairo is loaded when the first PDF is drawn.
// clang-format off
#define SW_CAIRO_FUNCTIONS(X) \
    X(cairo_clip) X(cairo_create) X(cairo_destroy) X(cairo_fill) X(cairo_line_to) \
    X(cairo_move_to) X(cairo_pdf_surface_create_for_stream) \
    X(cairo_pdf_surface_set_metadata) X(cairo_rectangle) X(cairo_restore) X(cairo_save) \
    X(cairo_select_font_face) X(cairo_set_font_size) X(cairo_set_line_width) \
    X(cairo_set_source_rgb) X(cairo_show_page) X(cairo_show_text) X(cairo_status) \
    X(cairo_status_to_string) X(cairo_stroke) X(cairo_surface_destroy) \
    X(cairo_surface_finish) X(cairo_surface_status) X(cairo_text_extents)
// clang-format on
SW_LIBRARY_TABLE(CairoLibrary, SW_CAIRO_FUNCTIONS);

const CairoLibrary& Cairo() {
    static const CairoLibrary table = CairoLibrary::Load(STUNDENWERK_SONAME_CAIRO);
    return table;
}

cairo_status_t Anhaengen(void* ziel, const unsigned char* daten, unsigned int laenge) {
    static_cast<std::string*>(ziel)->append(reinterpret_cast<const char*>(daten), laenge);
    return CAIRO_STATUS_SUCCESS;
}

std::vector<std::string> Zeilen(const std::string& text) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (true) {
        const auto nl = text.find('\n', pos);
        out.push_back(text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos));
        if (nl == std::string::npos) return out;
        pos = nl + 1;
    }
}

void Farbe(cairo_t* cr, int rgb) {
    Cairo().cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                                 (rgb & 0xFF) / 255.0);
}

class Maler {
public:
    Maler(cairo_t* cr, double breite, double hoehe) : cr_(cr), breite_(breite), hoehe_(hoehe) {
        y_ = kRand;
    }

    void Absatz(const Paragraph& p) {
        if (p.PageBreakBefore && leer_ == false) NeueSeite();
        if (p.Text.empty()) {
            if (!leer_) y_ += kSchrift; // an empty paragraph is a blank line
            return;
        }
        Schrift(kUeberschrift, true);
        for (const std::string& zeile : Zeilen(p.Text)) {
            cairo_text_extents_t ext;
            Cairo().cairo_text_extents(cr_, zeile.c_str(), &ext);
            const double nutzbar = breite_ - 2 * kRand;
            double x = kRand;
            if (p.Alignment == kZentriert) x += (nutzbar - ext.x_advance) / 2;
            if (p.Alignment == kRechts) x += nutzbar - ext.x_advance;
            if (y_ + kUeberschrift * 1.4 > hoehe_ - kRand) NeueSeite();
            Cairo().cairo_set_source_rgb(cr_, 0, 0, 0);
            Cairo().cairo_move_to(cr_, x, y_ + kUeberschrift);
            Cairo().cairo_show_text(cr_, zeile.c_str());
            y_ += kUeberschrift * 1.4;
        }
        y_ += 4;
        leer_ = false;
    }

    void Tabelle(const Table& t) {
        if (t.Rows <= 0 || t.Columns <= 0) return;
        const TableLook look = ResolveLook(t.Format);
        // Rows as high as their cell with the most lines.
        std::vector<int> zeilen(static_cast<std::size_t>(t.Rows), 1);
        for (int r = 1; r <= t.Rows; ++r)
            for (int c = 1; c <= t.Columns; ++c)
                zeilen[static_cast<std::size_t>(r - 1)] =
                    std::max(zeilen[static_cast<std::size_t>(r - 1)],
                             static_cast<int>(Zeilen(t.Cell(r, c)).size()));
        int summe = 0;
        for (int n : zeilen)
            summe += n;
        const auto hoeheBei = [&](double schrift) {
            return summe * schrift * 1.25 + t.Rows * 2 * kInnen;
        };
        if (hoeheBei(kSchrift) > hoehe_ - kRand - y_ && !leer_) NeueSeite();
        double schrift = kSchrift;
        const double platz = hoehe_ - kRand - y_;
        if (hoeheBei(schrift) > platz)
            schrift = std::max(kKleinsteSchrift, (platz - t.Rows * 2 * kInnen) / (summe * 1.25));

        const double gesamt = (t.PreferredWidthType == kBreiteProzent && t.PreferredWidth > 0)
                                  ? (breite_ - 2 * kRand) * std::min(t.PreferredWidth, 100) / 100.0
                                  : breite_ - 2 * kRand;
        const double erste = t.Columns > 1 ? std::max(28.0, gesamt * 0.06) : gesamt;
        const double weitere = t.Columns > 1 ? (gesamt - erste) / (t.Columns - 1) : 0;
        const auto xVon = [&](int c) { return kRand + (c == 1 ? 0 : erste + (c - 2) * weitere); };
        const auto breite = [&](int c) { return c == 1 ? erste : weitere; };

        const double oben = y_;
        std::vector<double> ys{oben};
        for (int r = 1; r <= t.Rows; ++r)
            ys.push_back(ys.back() + zeilen[static_cast<std::size_t>(r - 1)] * schrift * 1.25 +
                         2 * kInnen);

        for (int r = 1; r <= t.Rows; ++r) {
            for (int c = 1; c <= t.Columns; ++c) {
                const bool kopf = r == 1;
                const bool spalte = c == 1 && !kopf;
                int fuellung = kNoColour;
                if (kopf)
                    fuellung = look.headFill;
                else if (spalte && look.firstFill != kNoColour)
                    fuellung = look.firstFill;
                else if (r % 2 == 1)
                    fuellung = look.bandFill; // every second body row
                const double x = xVon(c);
                const double y = ys[static_cast<std::size_t>(r - 1)];
                const double h = ys[static_cast<std::size_t>(r)] - y;
                if (fuellung != kNoColour) {
                    Farbe(cr_, fuellung);
                    Cairo().cairo_rectangle(cr_, x, y, breite(c), h);
                    Cairo().cairo_fill(cr_);
                }
                int text = 0x000000;
                if (kopf && look.headText != kNoColour) text = look.headText;
                if (spalte && look.firstText != kNoColour) text = look.firstText;
                Zelle(t.Cell(r, c), x, y, breite(c), schrift, text,
                      (kopf && look.headBold) || (spalte && look.firstBold));
            }
        }
        Linien(look, t, xVon(1), xVon(1) + gesamt, ys, xVon);
        y_ = ys.back() + 4;
        leer_ = false;
    }

    void Fertig() { Cairo().cairo_show_page(cr_); }

private:
    void NeueSeite() {
        Cairo().cairo_show_page(cr_);
        y_ = kRand;
        leer_ = true;
    }

    void Schrift(double groesse, bool fett) {
        Cairo().cairo_select_font_face(cr_, kFont, CAIRO_FONT_SLANT_NORMAL,
                                       fett ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        Cairo().cairo_set_font_size(cr_, groesse);
    }

    void Zelle(const std::string& text, double x, double y, double breite, double schrift,
               int farbe, bool fett) {
        if (text.empty()) return;
        const double nutzbar = breite - 2 * kInnen;
        double zeileY = y + kInnen;
        Cairo().cairo_save(cr_);
        Cairo().cairo_rectangle(cr_, x, y, breite, 1e6);
        Cairo().cairo_clip(cr_);
        Farbe(cr_, farbe);
        for (const std::string& zeile : Zeilen(text)) {
            Schrift(schrift, fett);
            cairo_text_extents_t ext;
            Cairo().cairo_text_extents(cr_, zeile.c_str(), &ext);
            if (ext.x_advance > nutzbar && ext.x_advance > 0)
                Schrift(std::max(kKleinsteSchrift, schrift * nutzbar / ext.x_advance), fett);
            Cairo().cairo_move_to(cr_, x + kInnen, zeileY + schrift);
            Cairo().cairo_show_text(cr_, zeile.c_str());
            zeileY += schrift * 1.25;
        }
        Cairo().cairo_restore(cr_);
    }

    template <typename XVon>
    void Linien(const TableLook& look, const Table& t, double links, double rechts,
                const std::vector<double>& ys, XVon xVon) {
        if (look.lines == Lines::None && !look.headRule) return;
        Farbe(cr_, look.lineColour);
        const auto strich = [&](double x0, double y0, double x1, double y1, double staerke) {
            Cairo().cairo_set_line_width(cr_, staerke);
            Cairo().cairo_move_to(cr_, x0, y0);
            Cairo().cairo_line_to(cr_, x1, y1);
            Cairo().cairo_stroke(cr_);
        };
        const double oben = ys.front();
        const double unten = ys.back();
        const bool zeilen = look.lines == Lines::Rows || look.lines == Lines::Grid;
        const bool spalten = look.lines == Lines::Columns || look.lines == Lines::Grid;
        if (zeilen)
            for (std::size_t r = 1; r + 1 < ys.size(); ++r)
                strich(links, ys[r], rechts, ys[r], 0.5);
        if (spalten)
            for (int c = 2; c <= t.Columns; ++c)
                strich(xVon(c), oben, xVon(c), unten, 0.5);
        if (look.headRule && ys.size() > 2) strich(links, ys[1], rechts, ys[1], 1.5);
        if (look.lines == Lines::None) return;
        const double rahmen = look.style == LineStyle::Thick ? 1.5 : 0.75;
        strich(links, oben, rechts, oben, rahmen);
        strich(links, unten, rechts, unten, rahmen);
        if (look.lines != Lines::Rows) {
            strich(links, oben, links, unten, rahmen);
            strich(rechts, oben, rechts, unten, rahmen);
        }
        if (look.style == LineStyle::Double) {
            Cairo().cairo_set_line_width(cr_, 0.5);
            Cairo().cairo_rectangle(cr_, links - 2, oben - 2, rechts - links + 4, unten - oben + 4);
            Cairo().cairo_stroke(cr_);
        }
    }

    cairo_t* cr_;
    double breite_;
    double hoehe_;
    double y_;
    bool leer_ = true; // nothing drawn on the page yet
};

} // namespace

std::optional<std::string> DokumentAlsPdf(const Document& doc, std::string& fehler) {
    const bool quer = doc.Orientation == PageOrientation::Landscape;
    const double breite = quer ? kA4Hoehe : kA4Breite;
    const double hoehe = quer ? kA4Breite : kA4Hoehe;
    if (!Cairo().Error.empty()) {
        fehler = Cairo().Error;
        return std::nullopt;
    }
    std::string bytes;
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> flaeche(
        Cairo().cairo_pdf_surface_create_for_stream(Anhaengen, &bytes, breite, hoehe),
        Cairo().cairo_surface_destroy);
    Cairo().cairo_pdf_surface_set_metadata(flaeche.get(), CAIRO_PDF_METADATA_TITLE, "Stundenplan");
    Cairo().cairo_pdf_surface_set_metadata(flaeche.get(), CAIRO_PDF_METADATA_CREATOR,
                                           "Stundenwerk");
    {
        std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(Cairo().cairo_create(flaeche.get()),
                                                              Cairo().cairo_destroy);
        Maler maler(cr.get(), breite, hoehe);
        for (const Block& block : doc.Body) {
            if (const auto* p = std::get_if<Paragraph>(&block))
                maler.Absatz(*p);
            else
                maler.Tabelle(std::get<Table>(block));
        }
        maler.Fertig();
        if (Cairo().cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
            fehler = Cairo().cairo_status_to_string(Cairo().cairo_status(cr.get()));
            return std::nullopt;
        }
    }
    Cairo().cairo_surface_finish(flaeche.get());
    if (Cairo().cairo_surface_status(flaeche.get()) != CAIRO_STATUS_SUCCESS) {
        fehler = Cairo().cairo_status_to_string(Cairo().cairo_surface_status(flaeche.get()));
        return std::nullopt;
    }
    return bytes;
}

std::optional<AusgabeDatei> PlanAlsPdf(const CPlan& plan, const ExportOptionen& optionen,
                                       Reporter& reporter) {
    ExportOptionen o = optionen;
    o.AusgabeAn = AusgabeZiel::Word;
    if (GewaehltePlaene(plan, o) == 0) {
        reporter.Show({"Es wurde kein Plan ausgewählt.", titel::Fehler});
        return std::nullopt;
    }
    Speicher speicher;
    NoOpener opener;
    CWord word("stundenplan.docx", speicher, opener);
    NoExportObserver observer;
    const ExportErgebnis ergebnis = RunExport(plan, o, word, reporter, observer);
    if (ergebnis.Status != ExportStatus::Fertig) return std::nullopt;
    std::string fehler;
    auto bytes = DokumentAlsPdf(word.Doc(), fehler);
    if (!bytes) {
        reporter.Show({"Das PDF ließ sich nicht erzeugen: " + fehler, titel::Fehler});
        return std::nullopt;
    }
    return AusgabeDatei{"stundenplan.pdf", std::move(*bytes)};
}

} // namespace sw
