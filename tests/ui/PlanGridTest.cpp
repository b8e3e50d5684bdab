// SPDX-License-Identifier: GPL-3.0-or-later
// The plan grid window "Schnappschuß" over a planned example school: its controls, geometry and
// pages, cell selection, the popup and the keys, refusals in the conflict group, the room dialog,
// undo and redo, and how the planning window opens it.
#include "UiTestSupport.h"
#include "app/FigureTexts.h"
#include "app/Session.h"
#include "edit/GridView.h"
#include "plan/Evaluation.h"
#include "plan/Placement.h"
#include "support/TestSupport.h"
#include "ui/PlanGitter.h"
#include "ui/QtReporter.h"
#include "ui/THauptForm.h"
#include "ui/TLegendeForm.h"
#include "ui/TPlanBSForm.h"
#include "ui/TPlanForm.h"
#include "ui/TProgrammOptionenForm.h"
#include "ui/TRaumSetzenForm.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <optional>

namespace sw::test {
namespace {

using ui::PlanGitter;
using ui::TPlanBSForm;
using ui::TPlanForm;

// Everything an edit may change: the cells, the figures, the records and each hour's values.
struct PlanBild {
    std::vector<const CStunde*> Zellen;
    PlanTotals Totals;
    std::vector<CLehrerStatus> Lehrer;
    std::vector<CKlassenStatus> Klassen;
    std::vector<std::tuple<int, Modus, Flag, Flag, Flag, int, int>> Werte;
    std::vector<std::size_t> RaumListen;
    bool operator==(const PlanBild&) const = default;
};

PlanBild Aufnahme(const CPlan& p) {
    PlanBild b;
    for (int r = 0; r < p.RaumAnzahl; ++r)
        for (int s = 0; s < kSlotCount; ++s)
            b.Zellen.push_back(&p.At(r, s));
    b.Totals = p.Totals();
    b.Lehrer = p.LehrerStatusL;
    b.Klassen = p.KlassenStatusL;
    for (const auto& h : p.StundenL) {
        b.Werte.emplace_back(h->Zeit, h->Modus, h->OberesLimit, h->UnteresLimit, h->TagesLimit,
                             h->Tag, h->NurUrPlan);
        b.RaumListen.push_back(h->RaumL ? h->RaumL->size() : 0);
    }
    return b;
}

class PlanGrid : public ::testing::Test {
protected:
    PlanGrid() : session(rep), form(run, rep) {
        EXPECT_TRUE(session.OpenProjectFile(SourcePath("examples/gymnasium.sch")));
    }
    // A new plan, with its initial plan unless `urplan` is false.
    void Planen(bool urplan = true, bool nullte = false) {
        session.Stamm().Angaben.Nullte = nullte;
        ASSERT_TRUE(session.StartPlanning());
        form.SetPlan(session.Plan(), &session.Rng(), &session.Stamm());
        form.SetSeed(3);
        if (!urplan) return;
        Find<QLineEdit>(form, "AnzahlVersucheE")->setText("300");
        Find<QPushButton>(form, "StartBtn")->click();
        ASSERT_EQ(session.Plan()->PlacedCount(), static_cast<int>(session.Plan()->StundenL.size()));
    }
    // The grid window shown over the plan, as the planning window opens it but without waiting.
    void Oeffnen() {
        Bs().Vorbereiten(P(), session.Stamm(), verlauf);
        Bs().show();
        Serve(30);
    }
    TPlanBSForm& Bs() { return form.GitterForm(); }
    CPlan& P() { return *session.Plan(); }
    PlanEditor& E() { return *Bs().Editor(); }
    PlanGitter& G() { return Bs().Gitter(); }
    QString Text(const char* name) { return Find<QLabel>(Bs(), name)->text(); }
    void Escape() { Taste(Qt::Key_Escape); }
    QAction* Aktion(const char* name) { return Bs().Menue().findChild<QAction*>(name); }

    void Ansicht(int id) {
        Find<QGroupBox>(Bs(), "AnsichtRG")->findChildren<QRadioButton*>().value(id)->click();
    }
    void Klick(int slot, Qt::MouseButton knopf = Qt::LeftButton) {
        const int row = RowOfSlot(P(), slot);
        ASSERT_GE(row, 1) << slot;
        const QRect r = G().visualRect(G().model()->index(row, DayOf(slot) + 1));
        QTest::mouseClick(G().viewport(), knopf, {}, r.center());
    }
    void Taste(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(&G(), key, mods); }
    // The first slot with a grid row whose cell in the shown view is occupied (or empty).
    std::optional<int> Zelle(bool besetzt) {
        for (int c = 1; c < GridColumns(P()); ++c)
            for (int r = 1; r < GridRows(P()); ++r) {
                const int s = SlotOfCell(P(), c, r);
                if ((LessonAt(P(), E().View(), E().Shown(), s) != nullptr) == besetzt) return s;
            }
        return std::nullopt;
    }
    // Selects the first occupied cell whose hour can move and starts the move; the first framed
    // slot with a row.
    std::optional<int> Verschieben() {
        for (int c = 1; c < GridColumns(P()); ++c)
            for (int r = 1; r < GridRows(P()); ++r) {
                const int s = SlotOfCell(P(), c, r);
                if (!LessonAt(P(), E().View(), E().Shown(), s)) continue;
                Klick(s);
                Aktion("StundeVerschiebenPMI")->trigger();
                for (int k : E().State().Candidates)
                    if (RowOfSlot(P(), k) >= 1) return k;
                Taste(Qt::Key_Escape);
            }
        return std::nullopt;
    }

    AnswerReporter rep;
    Session session;
    RunControl run;
    TPlanForm form;
    EditHistory verlauf;
};

TEST_F(PlanGrid, ControlsAndCaptions) {
    Planen(false);
    Oeffnen();
    EXPECT_EQ(Bs().windowTitle(),
              "Schnappschuß Klasse: " + QString::fromStdString(session.Stamm().Klassen[0].Name));
    auto* seiten = Find<QTabWidget>(Bs(), "PlanSGPC");
    ASSERT_EQ(seiten->count(), 4);
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        EXPECT_EQ(seiten->widget(i)->objectName(), "TabSheet" + n);
        EXPECT_NE(seiten->widget(i)->findChild<PlanGitter*>("PlanSG" + n), nullptr) << i;
    }
    EXPECT_EQ(seiten->currentIndex(), 0);
    auto* ansicht = Find<QGroupBox>(Bs(), "AnsichtRG");
    EXPECT_EQ(ansicht->title(), "Ansicht");
    const auto knoepfe = ansicht->findChildren<QRadioButton*>();
    ASSERT_EQ(knoepfe.size(), 3);
    EXPECT_EQ(knoepfe[0]->text(), "Lehrer");
    EXPECT_EQ(knoepfe[1]->text(), "Klasse");
    EXPECT_EQ(knoepfe[2]->text(), "Raum");
    EXPECT_TRUE(knoepfe[1]->isChecked());
    const std::pair<const char*, const char*> listen[] = {
        {"LehrerCoBox", "Lehrer"}, {"KlassenCoBox", "Klasse"}, {"RaumCoBox", "Raum"}};
    for (const auto& [name, titel] : listen) {
        auto* box = Find<QComboBox>(Bs(), name);
        EXPECT_EQ(box->currentIndex(), 0) << name;
        bool beschriftet = false;
        for (auto* l : Bs().findChildren<QLabel*>())
            beschriftet |= l->buddy() == box && l->text() == titel;
        EXPECT_TRUE(beschriftet) << name;
    }
    EXPECT_EQ(Find<QComboBox>(Bs(), "LehrerCoBox")->count(),
              static_cast<int>(session.Stamm().Lehrer.size()));
    EXPECT_EQ(Find<QComboBox>(Bs(), "RaumCoBox")->itemText(1),
              QString::fromStdString(session.Stamm().Raeume[1].Name));
    auto* nurKurz = Find<QCheckBox>(Bs(), "NurKurzCB");
    EXPECT_EQ(nurKurz->text(), "nur Abkürzungen");
    EXPECT_TRUE(nurKurz->isChecked());

    auto* statistik = Find<QGroupBox>(Bs(), "GroupBox1");
    EXPECT_EQ(statistik->title(), "Statistik");
    const std::pair<const char*, const char*> werte[] = {
        {"LeerStundenL", "Leer - Stunden:"},
        {"LeerStundenMaximumL", "Leer - Stunden - Maximum:"},
        {"StundenMaximumL", "Stunden - Maximum:"},
        {"StundenMinimumL", "Stunden - Minimum:"},
        {"TrennungsFehlerL", "Trennungs - Fehler:"},
        {"SpezialTrennungsFehlerL", "Spezial - Trennungs - Fehler:"},
        {"StundenL", "Stunden"},
        {"GesetzteStundenL", "Gesetzte Stunden:"},
        {"LSSumL", "Leerstunden - Summe:"}};
    QStringList texte;
    for (auto* l : statistik->findChildren<QLabel*>())
        texte << l->text();
    for (const auto& [name, titel] : werte) {
        EXPECT_NE(statistik->findChild<QLabel*>(name), nullptr) << name;
        EXPECT_TRUE(texte.contains(QString::fromUtf8(titel))) << titel;
    }
    auto* konflikt = Find<QGroupBox>(Bs(), "KonfliktGB");
    EXPECT_EQ(konflikt->title(), "Konflikt");
    texte.clear();
    for (auto* l : konflikt->findChildren<QLabel*>())
        texte << l->text();
    for (const char* t : {"Lehrer:", "Fach/Kurs:", "Klasse:", "Raum:"})
        EXPECT_TRUE(texte.contains(t)) << t;
    for (const char* l :
         {"KonfliktLehrerL", "KonfliktFachKursL", "KonfliktKlassenL", "KonfliktRaumL"})
        EXPECT_EQ(Text(l), "") << l;
    const std::pair<const char*, const char*> buttons[] = {{"AusgabeBtn", "Ausgabe"},
                                                           {"LegendeBtn", "Legende"},
                                                           {"Button1", "Schließen"},
                                                           {"RueckgaengigBtn", "Rückgängig"},
                                                           {"WiederholenBtn", "Wiederholen"}};
    for (const auto& [name, text] : buttons)
        EXPECT_EQ(Find<QPushButton>(Bs(), name)->text(), QString::fromUtf8(text)) << name;
    EXPECT_FALSE(Find<QPushButton>(Bs(), "RueckgaengigBtn")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(Bs(), "WiederholenBtn")->isEnabled());

    // The popup, its items and captions in order.
    EXPECT_EQ(Bs().Menue().objectName(), "ManuSetzPM");
    const std::pair<const char*, const char*> eintraege[] = {
        {"StundeVerschiebenPMI", "Stunde &verschieben"},
        {"StundenSuchenPMI", "Stunde &Suchen"},
        {"AustauschPMI", "Austausch"},
        {"StundeZeitFestPMI", "Stunde zeitfest              z"},
        {"TagSetzenPMI", "Tag setzen                    t"},
        {"LimitLoeschenPMI", "Stunden-Limit"},
        {"StundeSperrenPMI", "Stunde sperren             s"},
        {"RaumSetzenPMI", "Raum setzen ..."}};
    QStringList reihe;
    for (QAction* a : Bs().Menue().actions())
        if (!a->isSeparator()) reihe << a->objectName();
    ASSERT_EQ(reihe.size(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(reihe[i], eintraege[i].first);
        EXPECT_EQ(Aktion(eintraege[i].first)->text(), QString::fromUtf8(eintraege[i].second));
    }
    QMenu* limit = Aktion("LimitLoeschenPMI")->menu();
    ASSERT_NE(limit, nullptr);
    EXPECT_EQ(limit->actions().value(0)->objectName(), "OberesLimitPMI");
    EXPECT_EQ(limit->actions().value(0)->text(), "Oberes Limit                 o");
    EXPECT_EQ(limit->actions().value(1)->objectName(), "UnteresLimitPMI");
    EXPECT_EQ(limit->actions().value(1)->text(), "Unteres Limit                u");

    // The legend and the room dialog.
    auto& legende = Bs().LegendeForm();
    EXPECT_EQ(legende.windowTitle(), "Legende");
    EXPECT_EQ(Find<QPushButton>(legende, "Button1")->text(), "Schließen");
    const QStringList erwartet = {"Rot :  Kursstunde",
                                  "Blau :  normale Mehrfachstunde",
                                  "Ziffer: Nummer in Mehrfachstunde",
                                  "'T' :  Stunde nur an diesem Tag setzbar",
                                  "'O' :  Oberes Limit (hier bis 2. Stunde)",
                                  "'U' :  Unteres Limit (hier ab 6. Stunde)",
                                  "Unterstrichen :  Stunde ist zeitfest",
                                  "Fett : Stunde ist raumfest",
                                  "nicht belegt",
                                  "gesperrte Zeit"};
    for (int i = 0; i < erwartet.size(); ++i)
        EXPECT_EQ(
            Find<QLabel>(legende, QString("LegendeL%1").arg(i + 1).toUtf8().constData())->text(),
            erwartet[i]);
    auto& raum = Bs().RaumForm();
    EXPECT_EQ(raum.windowTitle(), "Raum setzen");
    EXPECT_NE(raum.findChild<QListWidget*>("RaumL"), nullptr);
    auto* alle = Find<QCheckBox>(raum, "AlleRaeumeCB");
    EXPECT_EQ(alle->text(), "Alle Räume");
    EXPECT_TRUE(alle->isHidden());
    EXPECT_EQ(Find<QPushButton>(raum, "OkBtn")->text(), "Ok");
    EXPECT_EQ(Find<QPushButton>(raum, "CancelBtn")->text(), "Cancel");
}

TEST_F(PlanGrid, RowsFollowTheZerothHour) {
    Planen(false, false);
    Oeffnen();
    const int stunden = P().Stunden;
    EXPECT_EQ(G().model()->rowCount(), stunden + 1);
    EXPECT_EQ(G().model()->columnCount(), P().Tage + 1);
    EXPECT_EQ(G().model()->index(1, 0).data().toString(), "1. Stunde");
    EXPECT_EQ(G().model()->index(0, 1).data().toString(),
              QString::fromStdString(session.Stamm().Angaben.TagNamen[0]));
    EXPECT_EQ(G().columnWidth(0), 60);
    EXPECT_EQ(G().rowHeight(0), 20);
    EXPECT_EQ(G().rowHeight(1), 42);
    EXPECT_EQ(G().columnWidth(1), (G().viewport()->width() - 72) / P().Tage);
    Bs().hide();

    form.SetPlan(nullptr, nullptr);
    session.DiscardPlan();
    Planen(false, true);
    Oeffnen();
    EXPECT_EQ(G().model()->rowCount(), stunden + 2);
    EXPECT_EQ(G().model()->index(1, 0).data().toString(), "0. Stunde");
    EXPECT_EQ(G().model()->index(stunden + 1, 0).data().toString(),
              QString::number(stunden) + ". Stunde");
}

TEST_F(PlanGrid, RefusedMoveShowsTheTeacherUntilTheViewThePlanOrAnEditChanges) {
    Planen();
    Oeffnen();
    // A subject hour and a slot where its teacher teaches another class, its own class is free,
    // and the first candidate room that is not occupied refuses for the teacher.
    const CStunde* stunde = nullptr;
    int ziel = kNoSlot;
    for (const auto& h : P().StundenL) {
        if (h->IsCourse() || RowOfSlot(P(), P().SlotOfHour(*h)) < 1) continue;
        for (int c = 1; c < GridColumns(P()) && ziel == kNoSlot; ++c)
            for (int r = 1; r < GridRows(P()) && ziel == kNoSlot; ++r) {
                const int s = SlotOfCell(P(), c, r);
                if (P().TeacherLessons(h->Lehrer, s) == 0 || P().ClassLessons(h->Klasse, s) > 0)
                    continue;
                for (int raum : *h->RaumL) {
                    const Refusal nein = PlacementRefusal(P(), *h, s, raum);
                    if (nein.Kind == Konflikt::Raum) continue;
                    if (nein.Kind == Konflikt::Lehrer) ziel = s;
                    break;
                }
            }
        if (ziel != kNoSlot) {
            stunde = h.get();
            break;
        }
    }
    ASSERT_NE(stunde, nullptr);
    auto* lehrer = Find<QComboBox>(Bs(), "LehrerCoBox");
    const auto ablehnen = [&] {
        Ansicht(0);
        lehrer->setCurrentIndex(stunde->Lehrer);
        ASSERT_EQ(E().View(), sw::Ansicht::Lehrer);
        Klick(P().SlotOfHour(*stunde));
        ASSERT_EQ(E().State().Selection, stunde);
        Aktion("StundeVerschiebenPMI")->trigger();
        ASSERT_TRUE(E().State().MoveMode);
        Klick(ziel);
    };
    const auto titel = [&] { return Find<QGroupBox>(Bs(), "KonfliktGB")->title(); };
    // A refusal does not outlive the plan it was about (the window is the same for every plan
    // and school) nor the teacher it was about.
    ablehnen();
    ASSERT_EQ(titel(), "Konflikt:  Lehrer");
    Bs().hide();
    Oeffnen();
    EXPECT_EQ(titel(), "Konflikt");
    ablehnen();
    ASSERT_EQ(titel(), "Konflikt:  Lehrer");
    lehrer->setCurrentIndex(stunde->Lehrer == 0 ? 1 : 0);
    EXPECT_EQ(titel(), "Konflikt");
    EXPECT_EQ(Text("KonfliktLehrerL"), "");

    const PlanBild vorher = Aufnahme(P());
    ablehnen();
    EXPECT_EQ(titel(), "Konflikt:  Lehrer");
    EXPECT_EQ(Text("KonfliktLehrerL"),
              QString::fromStdString(session.Stamm().Lehrer[stunde->Lehrer].Name));
    EXPECT_EQ(Text("KonfliktRaumL"), "");
    EXPECT_EQ(Text("KonfliktKlassenL"), "");
    EXPECT_EQ(E().State().Selection, nullptr);
    EXPECT_FALSE(E().State().MoveMode);
    EXPECT_EQ(Aufnahme(P()), vorher);

    // A successful move clears the labels and the caption.
    const auto frei = Verschieben();
    ASSERT_TRUE(frei);
    Klick(*frei);
    EXPECT_NE(Aufnahme(P()), vorher);
    for (const char* l :
         {"KonfliktLehrerL", "KonfliktFachKursL", "KonfliktKlassenL", "KonfliktRaumL"})
        EXPECT_EQ(Text(l), "") << l;
    EXPECT_EQ(titel(), "Konflikt");
}

TEST_F(PlanGrid, PagesKeepTheirViewAndLists) {
    Planen(false);
    Oeffnen();
    auto* seiten = Find<QTabWidget>(Bs(), "PlanSGPC");
    auto* raeume = Find<QComboBox>(Bs(), "RaumCoBox");
    auto* klassen = Find<QComboBox>(Bs(), "KlassenCoBox");
    klassen->setCurrentIndex(1);
    const QString klasse1 = QString::fromStdString(session.Stamm().Klassen[1].Name);
    EXPECT_EQ(Bs().windowTitle(), "Schnappschuß Klasse: " + klasse1);

    seiten->setCurrentIndex(1);
    EXPECT_EQ(&G(), Find<PlanGitter>(Bs(), "PlanSG2"));
    // A page never visited: the class view of the first class.
    EXPECT_EQ(klassen->currentIndex(), 0);
    EXPECT_EQ(E().View(), sw::Ansicht::Klasse);
    Ansicht(2);
    raeume->setCurrentIndex(2);
    const QString raum2 = QString::fromStdString(session.Stamm().Raeume[2].Name);
    EXPECT_EQ(Bs().windowTitle(), "Schnappschuß Raum: " + raum2);
    EXPECT_EQ(seiten->tabText(1), raum2);
    // The room view: no statistics.
    for (const char* l : {"LeerStundenL", "StundenL", "GesetzteStundenL", "LSSumL"})
        EXPECT_EQ(Text(l), "") << l;

    seiten->setCurrentIndex(0);
    EXPECT_EQ(&G(), Find<PlanGitter>(Bs(), "PlanSG1"));
    EXPECT_EQ(E().View(), sw::Ansicht::Klasse);
    EXPECT_EQ(E().Shown(), 1);
    EXPECT_EQ(klassen->currentIndex(), 1);
    EXPECT_EQ(raeume->currentIndex(), 0);
    EXPECT_EQ(Bs().windowTitle(), "Schnappschuß Klasse: " + klasse1);
    EXPECT_EQ(seiten->tabText(0), klasse1);
    EXPECT_NE(Text("StundenL"), "");

    seiten->setCurrentIndex(1);
    EXPECT_EQ(E().View(), sw::Ansicht::Raum);
    EXPECT_EQ(E().Shown(), 2);
    EXPECT_EQ(raeume->currentIndex(), 2);
    EXPECT_TRUE(Find<QGroupBox>(Bs(), "AnsichtRG")->findChildren<QRadioButton*>()[2]->isChecked());
}

TEST_F(PlanGrid, EscapeEndsTheModeAndTheSelection) {
    Planen();
    Oeffnen();
    ASSERT_TRUE(Verschieben());
    EXPECT_TRUE(E().State().MoveMode);
    EXPECT_EQ(G().property("Zeiger").toString(), "VERSCHIEBEN");
    EXPECT_EQ(G().viewport()->cursor().shape(), Qt::BitmapCursor);
    Taste(Qt::Key_Escape);
    EXPECT_TRUE(Bs().isVisible());
    EXPECT_FALSE(E().State().MoveMode);
    EXPECT_EQ(E().State().Selection, nullptr);
    EXPECT_FALSE(E().State().PopupAuto);
    EXPECT_EQ(G().property("Zeiger").toString(), "");
    EXPECT_NE(G().viewport()->cursor().shape(), Qt::BitmapCursor);

    // Swap mode has its own pointer.
    Klick(*Zelle(true));
    Aktion("AustauschPMI")->trigger();
    EXPECT_TRUE(E().State().SwapMode);
    EXPECT_EQ(G().property("Zeiger").toString(), "AUSTAUSCH");
    Taste(Qt::Key_Escape);
    EXPECT_FALSE(E().State().SwapMode);
}

TEST_F(PlanGrid, KeyboardSelectsCellsButNotHeaders) {
    Planen(false);
    Oeffnen();
    G().setFocus();
    G().setCurrentIndex(G().model()->index(1, 1));
    Taste(Qt::Key_Right);
    EXPECT_EQ(E().State().SelectedSlot(), SlotOfCell(P(), 2, 1));
    EXPECT_EQ(E().State().Selection,
              LessonAt(P(), sw::Ansicht::Klasse, 0, SlotOfCell(P(), 2, 1))
                  ? LessonAt(P(), sw::Ansicht::Klasse, 0, SlotOfCell(P(), 2, 1))
                  : &P().LeerStunde);
    Taste(Qt::Key_Down);
    EXPECT_EQ(E().State().SelectedSlot(), SlotOfCell(P(), 2, 2));
    // Neither the day row nor the hour column can be reached.
    Taste(Qt::Key_Up);
    Taste(Qt::Key_Up);
    Taste(Qt::Key_Left);
    Taste(Qt::Key_Left);
    EXPECT_EQ(E().State().SelectedSlot(), SlotOfCell(P(), 1, 1));
    EXPECT_EQ(G().currentIndex(), G().model()->index(1, 1));
    // A click on a header selects nothing.
    Escape();
    QTest::mouseClick(G().viewport(), Qt::LeftButton, {},
                      G().visualRect(G().model()->index(0, 2)).center());
    EXPECT_EQ(E().State().Selection, nullptr);
}

TEST_F(PlanGrid, PopupFollowsTheSelection) {
    Planen();
    Oeffnen();
    QMenu& menue = Bs().Menue();
    // Nothing selected since the refresh: the right button opens nothing.
    Klick(*Zelle(true), Qt::RightButton);
    EXPECT_FALSE(menue.isVisible());

    Klick(*Zelle(true));
    Klick(*Zelle(true), Qt::RightButton);
    EXPECT_TRUE(menue.isVisible());
    EXPECT_TRUE(Aktion("StundeVerschiebenPMI")->isEnabled());
    EXPECT_FALSE(Aktion("StundenSuchenPMI")->isEnabled());
    EXPECT_TRUE(Aktion("AustauschPMI")->isEnabled());
    EXPECT_TRUE(Aktion("StundeZeitFestPMI")->isEnabled());
    EXPECT_FALSE(Aktion("StundeSperrenPMI")->isEnabled());
    EXPECT_TRUE(Aktion("RaumSetzenPMI")->isEnabled());
    menue.close();

    // An empty cell: search and lock, not move; a locked slot is checked.
    const int leer = *Zelle(false);
    session.Stamm().Klassen[0].Sperre[leer] = 1;
    Klick(leer);
    Klick(leer, Qt::RightButton);
    EXPECT_TRUE(menue.isVisible());
    EXPECT_FALSE(Aktion("StundeVerschiebenPMI")->isEnabled());
    EXPECT_TRUE(Aktion("StundenSuchenPMI")->isEnabled());
    EXPECT_FALSE(Aktion("AustauschPMI")->isEnabled());
    EXPECT_TRUE(Aktion("StundeSperrenPMI")->isEnabled());
    EXPECT_TRUE(Aktion("StundeSperrenPMI")->isChecked());
    menue.close();

    // The lock key frees it again and ends the automatic popup.
    Taste(Qt::Key_S);
    EXPECT_EQ(session.Stamm().Klassen[0].Sperre[leer], 0);
    Klick(leer, Qt::RightButton);
    EXPECT_FALSE(menue.isVisible());
}

TEST_F(PlanGrid, UndoAndRedoRestoreThePlanExactly) {
    Planen();
    Oeffnen();
    auto* rueck = Find<QPushButton>(Bs(), "RueckgaengigBtn");
    auto* wieder = Find<QPushButton>(Bs(), "WiederholenBtn");
    const PlanBild vorher = Aufnahme(P());
    const auto ziel = Verschieben();
    ASSERT_TRUE(ziel);
    Klick(*ziel);
    const PlanBild nachher = Aufnahme(P());
    ASSERT_NE(nachher, vorher);
    EXPECT_TRUE(rueck->isEnabled());
    EXPECT_FALSE(wieder->isEnabled());
    // A key edit on top: the time of a selected hour fixed.
    Klick(*Zelle(true));
    Taste(Qt::Key_Z);
    const PlanBild fest = Aufnahme(P());
    ASSERT_NE(fest, nachher);

    Taste(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Aufnahme(P()), nachher);
    Taste(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Aufnahme(P()), vorher);
    EXPECT_FALSE(rueck->isEnabled());
    EXPECT_TRUE(wieder->isEnabled());
    Taste(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Aufnahme(P()), nachher);
    wieder->click();
    EXPECT_EQ(Aufnahme(P()), fest);
    EXPECT_FALSE(wieder->isEnabled());
    rueck->click();
    EXPECT_EQ(Aufnahme(P()), nachher);
    // The plan's figures are those of a fresh evaluation.
    const PlanTotals kept = P().Totals();
    EvaluateAll(P());
    EXPECT_EQ(P().Totals(), kept);
}

TEST_F(PlanGrid, RoomDialog) {
    Planen();
    Oeffnen();
    Ansicht(2);
    // A room with a lesson whose hour could also stand in another of its rooms.
    std::optional<int> zelle;
    for (int r = 0; r < P().RaumAnzahl && !zelle; ++r) {
        Find<QComboBox>(Bs(), "RaumCoBox")->setCurrentIndex(r);
        for (int s = 0; s < kSlotCount && !zelle; ++s) {
            if (RowOfSlot(P(), s) < 1 || !P().HourAt(r, s)) continue;
            Klick(s);
            if (!E().RoomChoices(false).empty()) zelle = s;
        }
    }
    ASSERT_TRUE(zelle);
    const CStunde* stunde = E().State().Selection;
    const std::vector<int> waehlbar = E().RoomChoices(false);
    const PlanBild vorher = Aufnahme(P());
    auto& dialog = Bs().RaumForm();
    auto* liste = Find<QListWidget>(dialog, "RaumL");

    // Ok with nothing selected counts as Cancel.
    QTimer::singleShot(50, &dialog, [&] {
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(liste->count(), static_cast<int>(waehlbar.size()));
        EXPECT_EQ(liste->item(0)->text(),
                  QString::fromStdString(session.Stamm().Raeume[waehlbar[0]].Name));
        Find<QPushButton>(dialog, "OkBtn")->click();
    });
    Aktion("RaumSetzenPMI")->trigger();
    EXPECT_EQ(Aufnahme(P()), vorher);
    EXPECT_EQ(E().State().Selection, nullptr);

    Klick(*zelle);
    QTimer::singleShot(50, &dialog, [&] {
        liste->setCurrentRow(0);
        Find<QPushButton>(dialog, "OkBtn")->click();
    });
    Aktion("RaumSetzenPMI")->trigger();
    EXPECT_EQ(P().RoomOf(*stunde), waehlbar[0]);
    EXPECT_EQ(P().SlotOfHour(*stunde), *zelle);
    EXPECT_TRUE(rep.asked.empty());
    Taste(Qt::Key_Z, Qt::ControlModifier);
    const PlanBild danach = Aufnahme(P());
    EXPECT_EQ(danach.Zellen, vorher.Zellen);
    EXPECT_EQ(danach.Totals, vorher.Totals);
    EXPECT_EQ(danach.Lehrer, vorher.Lehrer);
    EXPECT_EQ(danach.Klassen, vorher.Klassen);
    EXPECT_EQ(danach.Werte, vorher.Werte);
    EXPECT_EQ(danach.RaumListen, vorher.RaumListen);
}

TEST(PlanGridPosition, KeptInTheProgramOptions) {
    TempDir dir;
    AnswerReporter rep;
    const QString ordner = QString::fromStdString(dir.Path().string());
    {
        AnswerDesktop desktop;
        ui::THauptForm haupt(rep, desktop, ordner);
        // Until it is placed the window opens centred over the planning window.
        EXPECT_EQ(haupt.OptionenForm().Position("PlanBS"), std::nullopt);
        haupt.PlanForm().GitterForm().move(410, 420);
        auto& opt = haupt.OptionenForm();
        opt.OptionenSpeichernClick();
        Find<QCheckBox>(opt, "OptionenLadenCB")->setChecked(true);
        opt.accept();
    }
    const std::string ini = ReadFileBytes(dir.File("config.ini"));
    EXPECT_NE(ini.find("PlanBS_L=410"), std::string::npos) << ini;
    EXPECT_NE(ini.find("PlanBS_T=420"), std::string::npos) << ini;
    AnswerDesktop desktopNeu;
    ui::THauptForm neu(rep, desktopNeu, ordner);
    neu.OptionenBeimStart();
    EXPECT_EQ(neu.PlanForm().GitterForm().pos(), QPoint(410, 420));
    EXPECT_TRUE(rep.shown.empty());
}

TEST_F(PlanGrid, MessagesAppearOverTheGrid) {
    Planen(false);
    Oeffnen();
    ui::QtReporter qt(&form);
    EXPECT_EQ(qt.Parent(), &Bs());
}

TEST_F(PlanGrid, PlanningWindowOpensTheGridAndFollowsItsEdits) {
    Planen();
    form.show();
    auto* knopf = Find<QPushButton>(form, "SchnappschussBtn");
    EXPECT_TRUE(knopf->isEnabled());
    Find<QLabel>(form, "KLSSumL")->setText("alt");
    bool offen = false;
    QTimer::singleShot(50, &form, [&] {
        offen = Bs().isVisible() && Bs().isModal();
        const auto ziel = Verschieben();
        if (ziel) Klick(*ziel);
        Find<QPushButton>(Bs(), "Button1")->click();
    });
    knopf->click();
    EXPECT_TRUE(offen);
    EXPECT_FALSE(Bs().isVisible());
    EXPECT_EQ(form.Verlauf().Size(), 1u);
    EXPECT_EQ(Find<QLabel>(form, "KLSSumL")->text().toStdString(), ShowFigures(P()).KLSSumme);

    // A stage starts the history afresh.
    QTimer::singleShot(200, &form, [&] { form.HaltBtnClick(); });
    Find<QPushButton>(form, "KLSMinimierungBtn")->click();
    EXPECT_EQ(form.Verlauf().Size(), 0u);
}

TEST_F(PlanGrid, NurKurzRepaintsWithNames) {
    Planen();
    Oeffnen();
    // A subject hour of the first class: its second line is the teacher.
    const CStunde* h = nullptr;
    int slot = kNoSlot;
    for (int s = 0; s < kSlotCount && !h; ++s) {
        const CStunde* x =
            RowOfSlot(P(), s) >= 1 ? LessonAt(P(), sw::Ansicht::Klasse, 0, s) : nullptr;
        if (x && !x->IsCourse()) h = x, slot = s;
    }
    ASSERT_NE(h, nullptr);
    const QModelIndex i = G().model()->index(RowOfSlot(P(), slot), DayOf(slot) + 1);
    const CLehrer& l = session.Stamm().Lehrer[h->Lehrer];
    ASSERT_NE(l.Kurz, l.Name);
    EXPECT_EQ(i.data().toString().split('\n').value(1), QString::fromStdString(l.Kurz));
    Find<QCheckBox>(Bs(), "NurKurzCB")->click();
    EXPECT_FALSE(G().Modell().NurKurz());
    EXPECT_EQ(i.data().toString().split('\n').value(1), QString::fromStdString(l.Name));
}

} // namespace
} // namespace sw::test
