// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/Webseite.h"

#include "export/TableWriters.h"
#include "publish/DateiNamen.h"
#include "support/Disk.h"
#include "support/School.h"

#include <gtest/gtest.h>
#include <libxml/HTMLparser.h>
#include <libxml/xpath.h>

#include <map>
#include <memory>

namespace sw {
namespace {

using test::TempDir;

// A placed plan whose names hold every character HTML gives a meaning, umlauts, and two
// teachers whose file names come out alike.
struct Schule {
    test::PlanFixture f;
    Schule() {
        f.s = test::MakeSchool(3, 4, 4, 4, 3, 3);
        f.s.Angaben.Nullte = true;
        test::AddBlock(f.s, "L0", "K0", "F0", {2, 1, 1});
        test::AddBlock(f.s, "L1", "K1", "F1", {1, 1, 1});
        test::AddBlock(f.s, "L2", "K2", "F2", {2, 1});
        test::AddBlock(f.s, "L3", "K0", "F1", {1, 1});
        test::AddCourse(f.s, "Reli", {"L2", "L3"}, {"K1", "K2"}, {1, 1});
        test::AddCourse(f.s, "Ethik", {"L1"}, {"K0"}, {1});
        f.Build();
        test::PlaceRandomly(*f.plan, f.rng, 30);
        // The plan reads the names through the master data: renamed now, they show in the pages.
        f.s.Lehrer[0].Name = "Jörg \"Jo\" O'Neil";
        f.s.Lehrer[0].Kurz = "<JO>";
        f.s.Lehrer[1].Name = "Müller";
        f.s.Lehrer[2].Name = "Mueller";
        f.s.Klassen[0].Name = "5a & 5b";
        f.s.Klassen[1].Name = "6ü";
        f.s.Raeume[0].Name = "R<1> \"Süd\"";
        f.s.Faecher[0] = "Mathe & Physik";
        f.s.KursBloecke[0].Name = "Religion <ökumenisch>";
    }
    const CPlan& plan() const { return *f.plan; }
};

using Doc = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;

Doc Lies(const std::string& path) {
    return {htmlReadFile(path.c_str(), "UTF-8", HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING),
            &xmlFreeDoc};
}

std::string Text(xmlNode* n) {
    xmlChar* c = xmlNodeGetContent(n);
    std::string out = c ? reinterpret_cast<const char*>(c) : "";
    xmlFree(c);
    return out;
}

std::string Attribut(xmlNode* n, const char* name) {
    xmlChar* c = xmlGetProp(n, reinterpret_cast<const xmlChar*>(name));
    std::string out = c ? reinterpret_cast<const char*>(c) : "";
    xmlFree(c);
    return out;
}

std::vector<xmlNode*> Knoten(const Doc& doc, const char* xpath) {
    std::vector<xmlNode*> out;
    xmlXPathContext* ctx = xmlXPathNewContext(doc.get());
    xmlXPathObject* r = xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(xpath), ctx);
    if (r && r->nodesetval)
        for (int i = 0; i < r->nodesetval->nodeNr; ++i)
            out.push_back(r->nodesetval->nodeTab[i]);
    xmlXPathFreeObject(r);
    xmlXPathFreeContext(ctx);
    return out;
}

// The lesson cells of a page's week grid: slot -> the lines of the cell.
std::map<int, std::string> Lektionen(const Doc& doc, const char* tabelle = "woche") {
    std::map<int, std::string> out;
    const std::string pfad =
        std::string("//table[contains(@class,'") + tabelle + "')]//td[@data-slot]";
    for (xmlNode* td : Knoten(doc, pfad.c_str())) {
        std::string zeilen;
        bool erste = true;
        for (xmlNode* s = td->children; s; s = s->next) {
            if (s->type != XML_ELEMENT_NODE) continue;
            zeilen += (erste ? "" : "\n") + Text(s);
            erste = false;
        }
        out[std::stoi(Attribut(td, "data-slot"))] = zeilen;
    }
    return out;
}

TEST(Webseite, EveryPageHoldsExactlyThePlansLessonsAndTheIndexLinksIt) {
    Schule schule;
    const CPlan& plan = schule.plan();
    TempDir dir;
    CapturingReporter rep;
    const WebseitenOptionen o = WebseitenOptionen::Alle(plan);
    ASSERT_TRUE(Veroeffentliche(plan, o, dir.File("web"), {}, rep).Ok);
    ASSERT_TRUE(rep.shown.empty());

    const Doc index = Lies(dir.File("web/index.html"));
    ASSERT_TRUE(index);
    std::set<std::string> links;
    for (xmlNode* a : Knoten(index, "//a"))
        links.insert(Attribut(a, "href"));

    struct Art {
        const char* prefix;
        const char* kopf;
        int anzahl;
        std::function<std::string(int)> name;
        std::function<std::string(int, int)> zelle;
    };
    const std::vector<Art> arten = {
        {"klasse", "Klasse: ", plan.KlassenAnzahl, [&](int i) { return plan.KlasseAt(i).Name; },
         [&](int i, int s) { return KlassenZelle(plan, FindeKlassenStunde(plan, i, s), false); }},
        {"lehrer", "Lehrer: ", plan.LehrerAnzahl, [&](int i) { return plan.LehrerAt(i).Name; },
         [&](int i, int s) {
             return LehrerZelle(plan, FindeLehrerStunde(plan, i, s), false, true);
         }},
        {"raum", "Raum: ", plan.RaumAnzahl, [&](int i) { return plan.RaumAt(i).Name; },
         [&](int i, int s) { return RaumZelle(plan, FindeRaumStunde(plan, i, s), false, true); }},
    };
    int lektionen = 0, verweise = 0;
    for (const Art& art : arten) {
        std::vector<std::string> namen;
        for (int i = 0; i < art.anzahl; ++i)
            namen.push_back(art.name(i));
        const std::vector<std::string> dateien = DateiNamenFuer(art.prefix, namen);
        for (int i = 0; i < art.anzahl; ++i) {
            const std::string datei = dateien[i] + ".html";
            SCOPED_TRACE(datei);
            EXPECT_TRUE(links.contains(datei));
            const Doc seite = Lies(dir.File("web/" + datei));
            ASSERT_TRUE(seite);
            // The name reads back as it was, whatever characters it holds.
            ASSERT_EQ(Knoten(seite, "//h1").size(), 1u);
            EXPECT_EQ(Text(Knoten(seite, "//h1")[0]), art.kopf + namen[i]);
            std::map<int, std::string> erwartet;
            for (int d = 0; d < plan.Tage; ++d)
                for (int h = 0; h <= plan.Stunden; ++h)
                    if (std::string z = art.zelle(i, SlotOf(d, h)); !z.empty())
                        erwartet[SlotOf(d, h)] = z;
            EXPECT_EQ(Lektionen(seite), erwartet);
            lektionen += static_cast<int>(erwartet.size());
            // A teacher, class or room named in a cell leads to its page.
            for (xmlNode* a : Knoten(seite, "//td[@data-slot]//a")) {
                EXPECT_TRUE(std::filesystem::exists(dir.File("web/" + Attribut(a, "href"))));
                ++verweise;
            }
        }
    }
    EXPECT_GT(lektionen, 10); // the random placement did place lessons
    EXPECT_GT(verweise, lektionen);
    EXPECT_TRUE(links.contains("lehrer-mueller.html") && links.contains("lehrer-mueller-2.html"));

    // A day holds the lessons of every class at that day.
    const Doc montag = Lies(dir.File("web/tag-montag.html"));
    int amMontag = 0;
    for (int k = 0; k < plan.KlassenAnzahl; ++k)
        for (int h = 0; h <= plan.Stunden; ++h)
            amMontag += FindeKlassenStunde(plan, k, SlotOf(0, h)) ? 1 : 0;
    EXPECT_EQ(static_cast<int>(Knoten(montag, "//td[@data-slot]").size()), amMontag);
    EXPECT_TRUE(links.contains("tag-montag.html"));

    // The search reads names and short forms from the list items.
    std::set<std::string> gesucht;
    for (xmlNode* li : Knoten(index, "//li[@data-name]"))
        gesucht.insert(Attribut(li, "data-name"));
    EXPECT_TRUE(gesucht.contains("Jörg \"Jo\" O'Neil <JO>"));
    EXPECT_TRUE(gesucht.contains("5a & 5b "));
}

TEST(Webseite, ChosenPlansOnlyAndShortNames) {
    Schule schule;
    const CPlan& plan = schule.plan();
    WebseitenOptionen o;
    o.Klassen = {true, {1}};
    o.Lehrer = {false, {0, 1}}; // the kind is not checked: no teacher page
    o.NurKurz = true;
    std::vector<std::string> namen;
    for (const WebDatei& d : WebseiteDateien(plan, o, {"vertretung-2027-03-15.html"}))
        namen.push_back(d.Name);
    EXPECT_EQ(namen,
              (std::vector<std::string>{"stil.css", "klasse-6ue.html", "tag-montag.html",
                                        "tag-dienstag.html", "tag-mittwoch.html", "index.html"}));
    const std::string index =
        WebseiteDateien(plan, o, {"vertretung-2027-03-15.html"}).back().Inhalt;
    EXPECT_NE(index.find("<a href=\"vertretung-2027-03-15.html\">Montag, 15. März 2027</a>"),
              std::string::npos);
}

TEST(Webseite, EscapesEveryCharacterHtmlGivesAMeaning) {
    EXPECT_EQ(Html("<a href=\"x\">Tom & Jerry's</a>"),
              "&lt;a href=&quot;x&quot;&gt;Tom &amp; Jerry&#39;s&lt;/a&gt;");
    EXPECT_EQ(Html("Größe äöü ß"), "Größe äöü ß");
}

TEST(Webseite, SubjectColoursAreStableDistinctAndReadable) {
    int gleich = 0;
    for (const char* a : {"Mathematik", "Deutsch", "Englisch", "Sport", "Religion", "Kunst",
                          "Musik", "Biologie", "Chemie", "Physik", "Geschichte", "Erdkunde"}) {
        EXPECT_EQ(FarbeVon(a), FarbeVon(std::string(a)));
        EXPECT_GE(KontrastZuSchwarz(FarbeVon(a)), 7.0) << a;
        gleich += FarbeVon(a) == FarbeVon("Latein") ? 1 : 0;
    }
    EXPECT_EQ(gleich, 0);
    EXPECT_NEAR(KontrastZuSchwarz(0xFFFFFF), 21.0, 1e-9);
}

TEST(Webseite, SubstitutionPageListsTheLessonsByHour) {
    Schule schule;
    const CPlan& plan = schule.plan();
    SetzeAbwesend(schule.f.s, 0, true);
    SetzeAbwesend(schule.f.s, 3, true);
    VertretungsListe liste;
    const int tag = 0;
    const int anzahl = liste.Ermitteln(plan, tag);
    ASSERT_GT(anzahl, 1);
    liste.Ausfall(1);
    TempDir dir;
    const std::string pfad = dir.File(VertretungsDateiName({2027, 3, 15}));
    test::WriteFileBytes(pfad, VertretungsSeite(plan, liste, {2027, 3, 15}));
    const Doc doc = Lies(pfad);
    EXPECT_EQ(Text(Knoten(doc, "//h1")[0]), "Vertretungsplan Montag, 15. März 2027");
    std::vector<std::string> fehlend;
    for (xmlNode* li : Knoten(doc, "//ul/li"))
        fehlend.push_back(Text(li));
    EXPECT_EQ(fehlend, (std::vector<std::string>{"Jörg \"Jo\" O'Neil", "L3"}));
    const std::vector<xmlNode*> zeilen = Knoten(doc, "//tbody/tr");
    ASSERT_EQ(static_cast<int>(zeilen.size()), anzahl);
    int vorher = -1;
    for (xmlNode* tr : zeilen) {
        const std::string stunde = Text(tr->children);
        const int h = std::stoi(stunde.substr(0, stunde.find('.')));
        EXPECT_LE(vorher, h);
        vorher = h;
    }
    EXPECT_EQ(Knoten(doc, "//tr[@class='ausfall']").size(), 1u);
}

} // namespace
} // namespace sw
