// SPDX-License-Identifier: GPL-3.0-or-later
// The master-data dialogs over a small hand-built school: their controls and captions, new,
// rename and delete through the input windows with the refusals and questions they show, the
// room and class-room types with their check lists, navigation, the lock grids (a lock inside a
// fixed unit refused as a whole), and plan mode.
#include "UiTestSupport.h"
#include "app/Session.h"
#include "support/School.h"
#include "ui/SperrGitter.h"
#include "ui/TFachForm.h"
#include "ui/TKlassenForm.h"
#include "ui/TKursForm.h"
#include "ui/TLehrerForm.h"
#include "ui/TNeuForm.h"
#include "ui/TRaumForm.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace sw::test {
namespace {

QStringList Markiert(const QListWidget* l) {
    QStringList t;
    for (int i = 0; i < l->count(); ++i)
        if (l->item(i)->checkState() == Qt::Checked) t << l->item(i)->text();
    return t;
}

QStringList Eintraege(const QComboBox* c) {
    QStringList t;
    for (int i = 0; i < c->count(); ++i)
        t << c->itemText(i);
    return t;
}

// What an input window showed when it was opened.
struct Fenster {
    QString Titel, Prompt, Name, Kurz, Stunden;
    QPoint Abstand; // from the calling dialog
};

class MasterDataWindows : public ::testing::Test {
protected:
    MasterDataWindows()
        : session(rep), fach(session, rep, desktop), raum(session, rep, desktop),
          lehrer(session, rep, desktop), klassen(session, rep, desktop),
          kurs(session, rep, desktop) {
        // Five days of eight hours, rooms R0..R2, teachers L0..L2, classes K0..K2, subjects F0..F2.
        session.Stamm() = MakeSchool(5, 8, 3, 3, 3, 3);
        desktop.dialogs.Answer<ui::TEingabeForm>([this](ui::TEingabeForm& e) {
            const auto feld = [&e](const char* n) { return e.findChild<QLineEdit*>(n); };
            Fenster f{
                e.windowTitle(), e.Prompt(), e.Name(), {}, {}, e.pos() - e.parentWidget()->pos()};
            if (feld("KurzE")) f.Kurz = feld("KurzE")->text();
            if (feld("BStundenE")) f.Stunden = feld("BStundenE")->text();
            fenster.push_back(f);
            feld("NameE")->setText(name);
            if (feld("KurzE")) feld("KurzE")->setText(kurzform);
            if (feld("BStundenE")) feld("BStundenE")->setText(stunden);
            return ok;
        });
        for (ui::TStammForm* f : Alle())
            f->Auffrischen();
    }
    std::vector<ui::TStammForm*> Alle() { return {&fach, &raum, &lehrer, &klassen, &kurs}; }
    Stammdaten& D() { return session.Stamm(); }
    template <typename T> T* W(QWidget& f, const char* n) { return Find<T>(f, n); }
    void Klick(QWidget& f, const char* n) { W<QPushButton>(f, n)->click(); }
    void Eingeben(const char* n, const char* k = "", const char* s = "") {
        name = U(n);
        kurzform = U(k);
        stunden = U(s);
    }
    // Checks or unchecks the item `text` of a check list as a click on its box does.
    void Haken(QWidget& f, const char* liste, const char* text, bool an) {
        const auto treffer = W<QListWidget>(f, liste)->findItems(U(text), Qt::MatchExactly);
        ASSERT_FALSE(treffer.isEmpty()) << liste << " " << text;
        treffer.first()->setCheckState(an ? Qt::Checked : Qt::Unchecked);
    }
    QComboBox* Liste(QWidget& f, const char* n) { return W<QComboBox>(f, n); }
    QString Zelle(QWidget& f, int zeile, int spalte) {
        const QTableWidgetItem* i = W<QTableWidget>(f, "ZeitvorgabenG")->item(zeile, spalte);
        return i ? i->text() : QString();
    }

    AnswerReporter rep;
    AnswerDesktop desktop;
    Session session;
    ui::TFachForm fach;
    ui::TRaumForm raum;
    ui::TLehrerForm lehrer;
    ui::TKlassenForm klassen;
    ui::TKursForm kurs;
    std::vector<Fenster> fenster;
    QString name, kurzform, stunden;
    bool ok = true;
};

TEST_F(MasterDataWindows, ControlsCarryTheirNamesAndCaptions) {
    EXPECT_EQ(fach.windowTitle(), U("Fächer"));
    EXPECT_EQ(raum.windowTitle(), U("Räume"));
    EXPECT_EQ(kurs.windowTitle(), "Kurse");
    for (ui::TStammForm* f : Alle())
        EXPECT_FALSE(f->isModal()) << f->objectName().toStdString();
    EXPECT_EQ(W<QPushButton>(fach, "NeuBitBtn")->text(), "&Neu");
    EXPECT_EQ(W<QPushButton>(fach, "UmbenennenBtn")->text(), "Umbenennen");
    EXPECT_EQ(W<QPushButton>(fach, "LoeschenBtn")->text(), U("Löschen"));
    EXPECT_EQ(W<QPushButton>(fach, "Button1")->text(), U("Schließen"));
    EXPECT_NE(Liste(fach, "FachCoBox"), nullptr);

    auto* typ = W<QGroupBox>(raum, "RaumTypRG");
    EXPECT_EQ(typ->title(), "Raum - Typ");
    QStringList radios;
    for (auto* r : typ->findChildren<QRadioButton*>())
        radios << r->text();
    EXPECT_EQ(radios, QStringList({"Universal", "Spezial", "Spezial reserviert"}));
    auto* klassenRaum = W<QGroupBox>(raum, "KlassenRaumRG");
    EXPECT_EQ(klassenRaum->title(), "Klassenraum");
    radios.clear();
    for (auto* r : klassenRaum->findChildren<QRadioButton*>())
        radios << r->text();
    EXPECT_EQ(radios, QStringList({"Kein Klassenraum", "Klassenraum reserviert"}));
    EXPECT_EQ(W<QCheckBox>(raum, "KlassenKursFreigabeCB")->text(),
              U("Für Klassen - eigene Kurse freigeben"));
    auto* seiten = W<QTabWidget>(raum, "RaumPC");
    EXPECT_EQ(seiten->tabText(0), "Allgemeine Angaben");
    EXPECT_EQ(seiten->tabText(1), "Zeitvorgaben");
    for (ui::TStammForm* f :
         {static_cast<ui::TStammForm*>(&raum), static_cast<ui::TStammForm*>(&lehrer),
          static_cast<ui::TStammForm*>(&klassen)}) {
        EXPECT_EQ(W<QPushButton>(*f, "SperrenBtn")->text(), "Sperren");
        EXPECT_EQ(W<QPushButton>(*f, "FreigebenBtn")->text(), "Freigeben");
        EXPECT_EQ(W<QAction>(*f, "SperrenPMI")->text(), "Sperren");
        EXPECT_EQ(W<QAction>(*f, "FreigebenPMI")->text(), "Freigeben");
        EXPECT_EQ(W<QTableWidget>(*f, "ZeitvorgabenG")->toolTip(), "formular_zeitvorgaben.htm");
    }
    for (ui::TStammForm* f :
         {static_cast<ui::TStammForm*>(&raum), static_cast<ui::TStammForm*>(&lehrer),
          static_cast<ui::TStammForm*>(&klassen), static_cast<ui::TStammForm*>(&kurs)})
        for (const char* n : {"Erster", "Links", "Rechts", "Letzter", "NeuBitBtn", "LoeschenBitBtn",
                              "NeuBtn", "UmbenennenBtn", "LoeschenBtn"})
            EXPECT_NE(W<QPushButton>(*f, n), nullptr) << n;
    EXPECT_EQ(W<QCheckBox>(lehrer, "OptiCB")->text(), "In die Optimierung mit einbeziehen");
    EXPECT_EQ(W<QCheckBox>(lehrer, "TendenzZuFreienTagenCB")->text(), "Tendenz zu freien Tagen");
    EXPECT_EQ(W<QCheckBox>(klassen, "OptiCB")->text(), "In die Optimierung mit einbeziehen");
    for (const char* n : {"LehrerL", "FachL", "LehrerKursL", "FachKursL"})
        EXPECT_NE(W<QListWidget>(kurs, n), nullptr) << n;
    EXPECT_EQ(W<QPushButton>(kurs, "HinzuBitBtn")->text(), U("Hinzufügen"));
    EXPECT_EQ(W<QPushButton>(kurs, "EntfernenBitBtn")->text(), "Entfernen");
    EXPECT_EQ(W<QGroupBox>(kurs, "KursDefinitionenGB")->title(), "Kurs - Definitionen");
    for (const char* n : {"NameE", "KurzE", "BStundenE"})
        EXPECT_NE(W<QLineEdit>(kurs.NeuForm(), n), nullptr) << n;
    // Each dialog's pop-up "Hilfe" names its page.
    EXPECT_EQ(klassen.toolTip(), "formular_klassen.htm");
    EXPECT_EQ(W<QPushButton>(raum, "Erster")->toolTip(), "navigations-leiste.htm");
}

TEST_F(MasterDataWindows, SubjectsNewRenameDelete) {
    auto* liste = Liste(fach, "FachCoBox");
    EXPECT_EQ(liste->currentText(), "F0");
    Eingeben("  mathe ");
    Klick(fach, "NeuBitBtn");
    ASSERT_EQ(fenster.size(), 1u);
    EXPECT_EQ(fenster[0].Titel, "Neues Fach");
    EXPECT_EQ(fenster[0].Prompt, "Neues Fach eingeben");
    EXPECT_EQ(fenster[0].Abstand, QPoint(20, 20));
    EXPECT_EQ(D().Faecher.back(), "MATHE");
    EXPECT_EQ(liste->currentText(), "MATHE");
    // Letter case does not make another subject; a reserved character makes no name.
    Eingeben("Mathe");
    Klick(fach, "NeuBitBtn");
    Eingeben("a/b");
    Klick(fach, "NeuBitBtn");
    ASSERT_EQ(rep.shown.size(), 2u);
    EXPECT_EQ(rep.shown[0], (Message{"Fach ist bereits vorhanden", "Fehler"}));
    EXPECT_EQ(rep.shown[1], (Message{"Ungültige Fachbezeichnung!", "Fehler"}));
    EXPECT_EQ(Eintraege(liste), QStringList({"F0", "F1", "F2", "MATHE"}));
    // Cancel in the input window changes nothing.
    ok = false;
    Klick(fach, "NeuBitBtn");
    EXPECT_EQ(D().Faecher.size(), 4u);
    ok = true;

    liste->setCurrentIndex(1);
    Eingeben("physik");
    Klick(fach, "UmbenennenBtn");
    EXPECT_EQ(fenster.back().Titel, "Fach umbenennen");
    EXPECT_EQ(fenster.back().Prompt, "Neue Fach - Bezeichnung");
    EXPECT_EQ(fenster.back().Name, "F1");
    EXPECT_EQ(Eintraege(liste), QStringList({"F0", "PHYSIK", "F2", "MATHE"}));
    EXPECT_EQ(liste->currentIndex(), 1);
    EXPECT_EQ(D().Lehrer[0].Faecher[1], "PHYSIK");

    // A subject in use asks; No keeps it.
    rep.answer = false;
    Klick(fach, "LoeschenBtn");
    ASSERT_EQ(rep.asked.size(), 1u);
    EXPECT_EQ(rep.asked[0], (Message{"Für dieses Fach wurden vorgenommen\n\n\nZuordnungen: "
                                     "3\nUnterrichts - Definitionen: 0\n\nDas Fach trotzdem "
                                     "löschen?",
                                     "Warnung"}));
    EXPECT_EQ(D().Faecher.size(), 4u);
    rep.answer = true;
    Klick(fach, "LoeschenBtn");
    EXPECT_EQ(Eintraege(liste), QStringList({"F0", "F2", "MATHE"}));
    EXPECT_EQ(liste->currentIndex(), 0);
    EXPECT_EQ(D().Lehrer[0].Faecher, (std::vector<std::string>{"F0", "F2"}));
}

TEST_F(MasterDataWindows, RoomsNewRenameAndTheirRefusals) {
    auto* liste = Liste(raum, "RaumCoBox");
    Eingeben("Physiksaal", "ph1");
    Klick(raum, "NeuBtn");
    ASSERT_EQ(fenster.size(), 1u);
    EXPECT_EQ(fenster[0].Titel, "Neuer Raum");
    EXPECT_EQ(fenster[0].Prompt, "Neuen Raum eingeben");
    EXPECT_EQ(liste->currentText(), "PHYSIKSAAL");
    EXPECT_EQ(W<QLabel>(raum, "KurzL")->text(), "PH1");
    // The navigation bar's "+" does the same.
    Eingeben("Chemiesaal", "ph1");
    Klick(raum, "NeuBitBtn");
    Eingeben("Chemiesaal", "");
    Klick(raum, "NeuBitBtn");
    Eingeben("R0", "xx");
    Klick(raum, "NeuBtn");
    ASSERT_EQ(rep.shown.size(), 3u);
    EXPECT_EQ(rep.shown[0], (Message{"Kürzel PH1 bereits vergeben!", "Fehler"}));
    EXPECT_EQ(rep.shown[1], (Message{"Ungültiges Kürzel!", "Fehler"}));
    EXPECT_EQ(rep.shown[2], (Message{"Raum ist bereits vorhanden", "Fehler"}));
    EXPECT_EQ(D().Raeume.size(), 4u);
    // A refusal keeps the selection.
    EXPECT_EQ(liste->currentText(), "PHYSIKSAAL");

    Eingeben("physik", "ph");
    Klick(raum, "UmbenennenBtn");
    EXPECT_EQ(fenster.back().Titel, "Raum umbenennen");
    EXPECT_EQ(fenster.back().Prompt, "Neue Raum - Bezeichnung");
    EXPECT_EQ(fenster.back().Name, "PHYSIKSAAL");
    EXPECT_EQ(fenster.back().Kurz, "PH1");
    EXPECT_EQ(liste->currentText(), "PHYSIK");
    EXPECT_EQ(W<QLabel>(raum, "KurzL")->text(), "PH");
    EXPECT_EQ(liste->currentIndex(), 3);
}

TEST_F(MasterDataWindows, RoomTypeDecidesTheSubjectList) {
    auto* faecher = W<QListWidget>(raum, "FachCLBox");
    const auto typ = W<QGroupBox>(raum, "RaumTypRG")->findChildren<QRadioButton*>();
    EXPECT_TRUE(typ[0]->isChecked());
    EXPECT_FALSE(faecher->isEnabled());
    EXPECT_EQ(Texte(faecher), QStringList({"F0", "F1", "F2"}));
    typ[1]->click();
    EXPECT_EQ(D().Raeume[0].FachTyp, (std::array<Flag, 3>{0, 1, 0}));
    EXPECT_TRUE(faecher->isEnabled());
    Haken(raum, "FachCLBox", "F1", true);
    Haken(raum, "FachCLBox", "F2", true);
    EXPECT_EQ(D().Raeume[0].Faecher, (std::vector<std::string>{"F1", "F2"}));
    EXPECT_EQ(Markiert(faecher), QStringList({"F1", "F2"}));
    Haken(raum, "FachCLBox", "F1", false);
    EXPECT_EQ(D().Raeume[0].Faecher, (std::vector<std::string>{"F2"}));
    typ[2]->click();
    EXPECT_EQ(D().Raeume[0].FachTyp, (std::array<Flag, 3>{0, 0, 1}));
    EXPECT_EQ(Markiert(faecher), QStringList({"F2"}));
    // Universal empties the subjects and disables the list.
    typ[0]->click();
    EXPECT_TRUE(D().Raeume[0].Faecher.empty());
    EXPECT_TRUE(Markiert(faecher).isEmpty());
    EXPECT_FALSE(faecher->isEnabled());
    EXPECT_TRUE(rep.shown.empty());
}

TEST_F(MasterDataWindows, ClassRoomTakesOneClassAndAsksAboutAnother) {
    auto* klassenListe = W<QListWidget>(raum, "KlassenCLBox");
    const auto typ = W<QGroupBox>(raum, "KlassenRaumRG")->findChildren<QRadioButton*>();
    EXPECT_FALSE(klassenListe->isEnabled());
    typ[1]->click();
    EXPECT_TRUE(klassenListe->isEnabled());
    Haken(raum, "KlassenCLBox", "K1", true);
    EXPECT_EQ(D().Raeume[0].Klasse, "K1");
    EXPECT_TRUE(rep.asked.empty());
    // Another room that wants K1: Cancel keeps R0's class room.
    Liste(raum, "RaumCoBox")->setCurrentIndex(1);
    EXPECT_TRUE(Markiert(klassenListe).isEmpty());
    typ[1]->click();
    rep.answer = false;
    Haken(raum, "KlassenCLBox", "K1", true);
    ASSERT_EQ(rep.asked.size(), 1u);
    EXPECT_EQ(rep.asked[0], (Message{"Sie haben bereits die Klasse K1\nfür den Raum R0 gewählt."
                                     "\n\n Diese Zuordnung verwerfen?",
                                     "Anfrage"}));
    EXPECT_TRUE(D().Raeume[1].Klasse.empty());
    EXPECT_TRUE(Markiert(klassenListe).isEmpty());
    rep.answer = true;
    Haken(raum, "KlassenCLBox", "K1", true);
    EXPECT_EQ(D().Raeume[1].Klasse, "K1");
    EXPECT_TRUE(D().Raeume[0].Klasse.empty());
    EXPECT_EQ(Markiert(klassenListe), QStringList({"K1"}));
    // "Kein Klassenraum" clears the class.
    typ[0]->click();
    EXPECT_TRUE(D().Raeume[1].Klasse.empty());
    EXPECT_FALSE(klassenListe->isEnabled());
}

TEST_F(MasterDataWindows, NavigationWalksTheList) {
    auto* liste = Liste(raum, "RaumCoBox");
    const auto nach = [&](const char* knopf) {
        Klick(raum, knopf);
        return liste->currentText();
    };
    EXPECT_EQ(nach("Letzter"), "R2");
    EXPECT_EQ(W<QLabel>(raum, "KurzL")->text(), "R2");
    EXPECT_EQ(nach("Rechts"), "R2");
    EXPECT_EQ(nach("Links"), "R1");
    EXPECT_EQ(nach("Erster"), "R0");
    EXPECT_EQ(nach("Links"), "R0");
    EXPECT_EQ(nach("Rechts"), "R1");
    EXPECT_EQ(W<QLabel>(raum, "KurzL")->text(), "R1");
}

TEST_F(MasterDataWindows, RoomDeleteClearsTheUnitsThatNameIt) {
    AddBlock(D(), "L0", "K0", "F0", {1, 1}).Einheiten[1].Raum = "R1";
    Liste(raum, "RaumCoBox")->setCurrentIndex(1);
    rep.answer = false;
    Klick(raum, "LoeschenBtn");
    ASSERT_EQ(rep.asked.size(), 1u);
    EXPECT_EQ(rep.asked[0], (Message{"Für den Raum R1 wurden 1 Zuweisungen im Unterrichts - "
                                     "Formular vorgenommen.\n\nRaum R1 trotzdem löschen?",
                                     "Anfrage"}));
    EXPECT_EQ(D().Raeume.size(), 3u);
    rep.answer = true;
    Klick(raum, "LoeschenBtn");
    EXPECT_EQ(Eintraege(Liste(raum, "RaumCoBox")), QStringList({"R0", "R2"}));
    EXPECT_EQ(Liste(raum, "RaumCoBox")->currentIndex(), 0);
    EXPECT_EQ(D().FachBloecke[0].Block.Einheiten[1].Raum, "");
    // The navigation bar's delete asks the short question.
    Klick(raum, "Letzter");
    Klick(raum, "LoeschenBitBtn");
    EXPECT_EQ(rep.asked.back(), (Message{"Raum R2 löschen?", "Anfrage"}));
    EXPECT_EQ(Eintraege(Liste(raum, "RaumCoBox")), QStringList({"R0"}));
}

TEST_F(MasterDataWindows, LockInsideAFixedUnitIsRefusedAsAWhole) {
    CFachBlock& b = AddBlock(D(), "L0", "K0", "F0", {2});
    b.Einheiten[0].Zeitvorgabe = SlotOf(0, 2);
    b.Einheiten[0].Raum = "R0";
    raum.Auffrischen();
    ui::SperrGitter& g = *raum.Sperren();
    // Monday, hours 1 to 3: hour 2 lies in the unit.
    g.Markieren(1, 1, 1, 3);
    EXPECT_EQ(g.Auswahl(), (std::vector<int>{SlotOf(0, 1), SlotOf(0, 2), SlotOf(0, 3)}));
    bool warteZeiger = true;
    rep.onShow = [&](const Message&) { warteZeiger = QApplication::overrideCursor() != nullptr; };
    Klick(raum, "SperrenBtn");
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0],
              (Message{"Der Raum R0 wurde in diesem Zeitbereich\neiner Unterrichtseinheit "
                       "zugeordnet (L0 / K0 / F0)!\n\n Löschen sie zuerst die entsprechende "
                       "Zeitdefinition der Unterichtseinheit.",
                       "Fehler"}));
    // The message has the normal pointer, and none is left behind.
    EXPECT_FALSE(warteZeiger);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(D().Raeume[0].Sperre, FreeGrid());
    for (int z = 1; z <= 3; ++z)
        EXPECT_EQ(Zelle(raum, z, 1), "");

    // Tuesday, hours 1 and 2 through the pop-up: locked and shown.
    g.Markieren(2, 1, 2, 2);
    W<QAction>(raum, "SperrenPMI")->trigger();
    EXPECT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(D().Raeume[0].Sperre[SlotOf(1, 1)], 1);
    EXPECT_EQ(D().Raeume[0].Sperre[SlotOf(1, 2)], 1);
    EXPECT_EQ(Zelle(raum, 1, 2), "X");
    EXPECT_EQ(Zelle(raum, 2, 2), "X");
    EXPECT_EQ(Zelle(raum, 3, 2), "");
    // Another room shows its own grid; unlocking never asks.
    Klick(raum, "Rechts");
    EXPECT_EQ(Zelle(raum, 1, 2), "");
    Klick(raum, "Links");
    g.Markieren(2, 2, 2, 2);
    Klick(raum, "FreigebenBtn");
    EXPECT_TRUE(rep.asked.empty());
    EXPECT_EQ(D().Raeume[0].Sperre[SlotOf(1, 2)], 0);
    EXPECT_EQ(Zelle(raum, 1, 2), "X");
    EXPECT_EQ(Zelle(raum, 2, 2), "");
}

TEST_F(MasterDataWindows, TeacherLockInsideAFixedCourseUnitIsRefused) {
    CKursBlock& c = AddCourse(D(), "KURS", {"L1"}, {"K0"}, {1});
    c.Lehrer[0].Einheiten[0].Zeitvorgabe = SlotOf(2, 4);
    Liste(lehrer, "LehrerCoBox")->setCurrentIndex(1);
    lehrer.Sperren()->Markieren(3, 3, 3, 5);
    Klick(lehrer, "SperrenBtn");
    ASSERT_EQ(rep.shown.size(), 1u);
    const std::string& t = rep.shown[0].Text;
    EXPECT_EQ(t.rfind("Für den Lehrer L1 wurden in diesem Zeitbereich\nUnterrichtsdefinitionen "
                      "vorgemommen (",
                      0),
              0u)
        << t;
    EXPECT_NE(t.find(")!\n\n Löschen sie zuerst die entsprechende Zeitdefinition des Kurses."),
              std::string::npos)
        << t;
    EXPECT_EQ(D().Lehrer[1].Sperre, FreeGrid());
    // The 0th hour is not in use: the grid has rows for hours 1 to 8 under the day letters.
    auto* g = W<QTableWidget>(lehrer, "ZeitvorgabenG");
    EXPECT_EQ(g->rowCount(), 9);
    EXPECT_EQ(g->columnCount(), 6);
    EXPECT_EQ(g->item(0, 1)->text(), "Mo");
    EXPECT_EQ(g->item(1, 0)->text(), "1");
}

TEST_F(MasterDataWindows, TeachersSubjectsClassAndFlags) {
    Eingeben("Meier", "me");
    Klick(lehrer, "NeuBtn");
    EXPECT_EQ(fenster.back().Titel, "Neuer Lehrer");
    EXPECT_EQ(fenster.back().Prompt, "Neuen Lehrer eingeben");
    EXPECT_EQ(Liste(lehrer, "LehrerCoBox")->currentText(), "MEIER");
    EXPECT_EQ(W<QLabel>(lehrer, "FaecherL")->text(), U("Fächer (0)"));
    Eingeben("Schulz", "ME");
    Klick(lehrer, "NeuBitBtn");
    Eingeben("", "xy");
    Klick(lehrer, "NeuBtn");
    ASSERT_EQ(rep.shown.size(), 2u);
    EXPECT_EQ(rep.shown[0], (Message{"Kürzel ME bereits vergeben!", "Fehler"}));
    EXPECT_EQ(rep.shown[1], (Message{"Ungültiger Name!", "Fehler"}));

    Haken(lehrer, "FachCLBox", "F2", true);
    Haken(lehrer, "FachCLBox", "F0", true);
    EXPECT_EQ(D().Lehrer[3].Faecher, (std::vector<std::string>{"F2", "F0"}));
    EXPECT_EQ(W<QLabel>(lehrer, "FaecherL")->text(), U("Fächer (2)"));
    // The class list belongs to a class teacher; another teacher's class asks first.
    auto* klassenListe = W<QListWidget>(lehrer, "KlassenCLBox");
    EXPECT_FALSE(klassenListe->isEnabled());
    D().Lehrer[0].KlassenLehrer = 1;
    D().Lehrer[0].Klasse = "K2";
    W<QCheckBox>(lehrer, "KlassenLehrerCB")->click();
    EXPECT_TRUE(klassenListe->isEnabled());
    rep.answer = true;
    Haken(lehrer, "KlassenCLBox", "K2", true);
    ASSERT_EQ(rep.asked.size(), 1u);
    EXPECT_EQ(rep.asked[0], (Message{"Sie haben bereits Lehrer L0\nals Klassenlehrer für Klasse "
                                     "K2 gewählt.\n\n Diese Zuordnung verwerfen?",
                                     "Anfrage"}));
    EXPECT_EQ(D().Lehrer[3].Klasse, "K2");
    EXPECT_EQ(Markiert(klassenListe), QStringList({"K2"}));
    W<QCheckBox>(lehrer, "OptiCB")->click();
    W<QCheckBox>(lehrer, "TendenzZuFreienTagenCB")->click();
    EXPECT_EQ(D().Lehrer[3].Opti, 0);
    EXPECT_EQ(D().Lehrer[3].TendenzZuFreienTagen, 1);

    Eingeben("Meyer", "my");
    Klick(lehrer, "UmbenennenBtn");
    EXPECT_EQ(fenster.back().Titel, "Lehrer umbenennen");
    EXPECT_EQ(fenster.back().Prompt, "Neue Lehrer - Bezeichnung");
    EXPECT_EQ(fenster.back().Kurz, "ME");
    EXPECT_EQ(D().Lehrer[3].Name, "MEYER");
    EXPECT_EQ(W<QLabel>(lehrer, "KurzL")->text(), "MY");
}

TEST_F(MasterDataWindows, TeacherDeleteAsksWithItsCounts) {
    AddBlock(D(), "L1", "K0", "F0", {1});
    AddCourse(D(), "KURS", {"L0", "L1"}, {"K0"}, {1});
    Liste(lehrer, "LehrerCoBox")->setCurrentIndex(1);
    rep.answer = false;
    Klick(lehrer, "LoeschenBtn");
    ASSERT_EQ(rep.asked.size(), 1u);
    EXPECT_EQ(rep.asked[0], (Message{"Für den Lehrer L1 wurden 1 Zuordnungen\n und 2 Unterrichts "
                                     "- Definitionen vorgenommen!\n\n Den Lehrer trotzdem "
                                     "löschen?",
                                     "Warnung"}));
    rep.answer = true;
    Klick(lehrer, "LoeschenBitBtn");
    EXPECT_EQ(Eintraege(Liste(lehrer, "LehrerCoBox")), QStringList({"L0", "L2"}));
    EXPECT_TRUE(D().FachBloecke.empty());
    EXPECT_EQ(D().KursBloecke[0].Lehrer.size(), 1u);
}

TEST_F(MasterDataWindows, ClassesNewRenameDelete) {
    Eingeben("5a");
    Klick(klassen, "NeuBtn");
    EXPECT_EQ(fenster.back().Titel, "Neue Klasse");
    EXPECT_EQ(fenster.back().Prompt, "Neues Klassene eingeben");
    EXPECT_EQ(Liste(klassen, "KlassenCoBox")->currentText().toStdString(), D().Klassen.back().Name);
    Eingeben("K1");
    Klick(klassen, "NeuBitBtn");
    Eingeben("_");
    Klick(klassen, "NeuBtn");
    ASSERT_EQ(rep.shown.size(), 2u);
    EXPECT_EQ(rep.shown[0], (Message{"Klasse ist bereits vorhanden", "Fehler"}));
    EXPECT_EQ(rep.shown[1], (Message{"Ungültige Klassenbezeichnung!", "Fehler"}));
    W<QCheckBox>(klassen, "OptiCB")->click();
    EXPECT_EQ(D().Klassen.back().Opti, 0);

    AddBlock(D(), "L0", "K1", "F0", {1});
    Liste(klassen, "KlassenCoBox")->setCurrentIndex(1);
    Eingeben("K9");
    Klick(klassen, "UmbenennenBtn");
    EXPECT_EQ(fenster.back().Titel, "Klasse umbenennen");
    EXPECT_EQ(fenster.back().Prompt, "Neue Klassen - Bezeichnung");
    EXPECT_EQ(D().FachBloecke[0].Block.Klasse, "K9");
    rep.answer = false;
    Klick(klassen, "LoeschenBtn");
    ASSERT_EQ(rep.asked.size(), 1u);
    EXPECT_EQ(rep.asked[0], (Message{"Für diese Klasse wurden vorgenommen\n\n\nZuordnungen: "
                                     "0\nUnterrichts - Definitionen: 1\n\nDie Klasse trotzdem "
                                     "löschen?",
                                     "Warnung"}));
    EXPECT_EQ(D().Klassen.size(), 4u);
}

TEST_F(MasterDataWindows, CoursesAssembleTeachersWithSubjects) {
    auto* liste = Liste(kurs, "KursCoBox");
    Eingeben("Religion", "rel", "2");
    Klick(kurs, "NeuBtn");
    EXPECT_EQ(fenster.back().Titel, "Neuer Kurs");
    EXPECT_EQ(fenster.back().Prompt, "Neuen Kurs - Namen eingeben");
    EXPECT_EQ(liste->currentText(), "RELIGION");
    EXPECT_EQ(W<QLabel>(kurs, "KurzL")->text(), "REL");
    EXPECT_EQ(W<QLabel>(kurs, "StundenL")->text(), "2");
    // Hours: days times hours per day at most; a subject's name is no course short form.
    Eingeben("Ethik", "eth", "41");
    Klick(kurs, "NeuBitBtn");
    Eingeben("Ethik", "f1", "2");
    Klick(kurs, "NeuBtn");
    ASSERT_EQ(rep.shown.size(), 2u);
    EXPECT_EQ(rep.shown[0], (Message{"Ungültige Stundenzahl!", "Fehler"}));
    EXPECT_EQ(rep.shown[1], (Message{"Der Name eines Faches ist identischmit dem gewählten Kurs - "
                                     "Kürzel!",
                                     "Fehler"}));

    auto* lehrerL = W<QListWidget>(kurs, "LehrerL");
    auto* fachL = W<QListWidget>(kurs, "FachL");
    EXPECT_EQ(Texte(lehrerL), QStringList({"L0", "L1", "L2"}));
    D().Lehrer[1].Faecher = {"F2", "F1"};
    lehrerL->setCurrentRow(1);
    EXPECT_EQ(Texte(fachL), QStringList({"F2", "F1"}));
    EXPECT_EQ(fachL->currentRow(), 0);
    fachL->setCurrentRow(1);
    Klick(kurs, "HinzuBitBtn");
    lehrerL->setCurrentRow(0);
    Klick(kurs, "HinzuBitBtn");
    EXPECT_EQ(Texte(W<QListWidget>(kurs, "LehrerKursL")), QStringList({"L1", "L0"}));
    EXPECT_EQ(Texte(W<QListWidget>(kurs, "FachKursL")), QStringList({"F1", "F0"}));
    EXPECT_EQ(D().KursBloecke[0].Lehrer[1].Einheiten.size(), 2u);
    Klick(kurs, "HinzuBitBtn");
    EXPECT_EQ(rep.shown.back(),
              (Message{"Lehrer L0 ist bereits in dem\nKurs RELIGION vertreten!", "Fehler"}));
    // Removing the teacher selected in the course's list.
    W<QListWidget>(kurs, "LehrerKursL")->setCurrentRow(0);
    EXPECT_EQ(W<QListWidget>(kurs, "FachKursL")->currentRow(), 0);
    Klick(kurs, "EntfernenBitBtn");
    EXPECT_EQ(Texte(W<QListWidget>(kurs, "LehrerKursL")), QStringList({"L0"}));
    EXPECT_EQ(D().KursBloecke[0].Faecher, (std::vector<std::string>{"F0"}));

    Eingeben("Religion 2", "rel2", "3");
    Klick(kurs, "UmbenennenBtn");
    EXPECT_EQ(fenster.back().Titel, "Kurs umbenennen");
    EXPECT_EQ(fenster.back().Prompt, "Neue Kurs - Bezeichnung");
    EXPECT_EQ(fenster.back().Stunden, "2");
    EXPECT_EQ(liste->currentText(), "RELIGION 2");
    EXPECT_EQ(W<QLabel>(kurs, "StundenL")->text(), "3");
    rep.answer = false;
    Klick(kurs, "LoeschenBtn");
    EXPECT_EQ(rep.asked.back(), (Message{"Kurs RELIGION 2 löschen?", "Anfrage"}));
    EXPECT_EQ(D().KursBloecke.size(), 1u);
}

TEST_F(MasterDataWindows, PlanModeDisablesTheStructuralEdits) {
    D().Raeume[0].FachTyp = {0, 1, 0};
    D().Raeume[0].KlassenTyp = {0, 0, 1};
    D().Lehrer[0].KlassenLehrer = 1;
    for (ui::TStammForm* f : Alle()) {
        f->Auffrischen();
        f->SetEditable(false);
    }
    const auto aus = [&](QWidget& f, std::initializer_list<const char*> namen) {
        for (const char* n : namen)
            EXPECT_FALSE(W<QWidget>(f, n)->isEnabled()) << f.objectName().toStdString() << " " << n;
    };
    const auto an = [&](QWidget& f, std::initializer_list<const char*> namen) {
        for (const char* n : namen)
            EXPECT_TRUE(W<QWidget>(f, n)->isEnabled()) << f.objectName().toStdString() << " " << n;
    };
    aus(fach, {"NeuBitBtn", "LoeschenBtn"});
    an(fach, {"FachCoBox", "UmbenennenBtn", "Button1"});
    const std::initializer_list<const char*> gitter = {
        "NeuBtn", "LoeschenBtn", "NeuBitBtn", "LoeschenBitBtn", "SperrenBtn", "FreigebenBtn"};
    aus(raum, gitter);
    aus(raum, {"RaumTypRG", "KlassenRaumRG", "FachCLBox", "KlassenCLBox"});
    aus(lehrer, gitter);
    aus(lehrer, {"KlassenLehrerCB", "FachCLBox", "KlassenCLBox", "OptiCB"});
    aus(klassen, gitter);
    aus(klassen, {"OptiCB"});
    aus(kurs,
        {"NeuBtn", "LoeschenBtn", "NeuBitBtn", "LoeschenBitBtn", "HinzuBitBtn", "EntfernenBitBtn"});
    aus(kurs.NeuForm(), {"BStundenE"});
    for (QWidget* f : {static_cast<QWidget*>(&raum), static_cast<QWidget*>(&lehrer),
                       static_cast<QWidget*>(&klassen)}) {
        EXPECT_FALSE(W<QAction>(*f, "SperrenPMI")->isEnabled());
        EXPECT_FALSE(W<QAction>(*f, "FreigebenPMI")->isEnabled());
        an(*f, {"Erster", "Links", "Rechts", "Letzter", "UmbenennenBtn", "ZeitvorgabenG"});
    }
    // Selecting another entity keeps the state.
    Klick(raum, "Rechts");
    Klick(raum, "Links");
    aus(raum, {"FachCLBox", "KlassenCLBox", "NeuBtn"});
    an(lehrer, {"TendenzZuFreienTagenCB", "LehrerCoBox"});

    for (ui::TStammForm* f : Alle())
        f->SetEditable(true);
    an(raum, gitter);
    an(raum, {"RaumTypRG", "FachCLBox", "KlassenCLBox"});
    an(lehrer, {"KlassenLehrerCB", "FachCLBox", "KlassenCLBox", "OptiCB"});
    an(kurs, {"HinzuBitBtn"});
    an(kurs.NeuForm(), {"BStundenE"});
    EXPECT_TRUE(W<QAction>(klassen, "SperrenPMI")->isEnabled());
}

// The input window of a name and its short form: Name, Tab, short form, Enter gives both.
TEST(InputWindow, TabGoesFromNameToShortFormThenToOk) {
    ui::TNeuNameForm form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClicks(QApplication::focusWidget(), "Meier");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "ME");
    EXPECT_EQ(form.Kurz(), "ME");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Find<QPushButton>(form, "OkBtn"));
    QTest::keyClick(Find<QLineEdit>(form, "KurzE"), Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Name(), "Meier");
}

// Among many subjects the teacher's own stand first and stay in place while he is shown; the
// filter narrows the list and a tick on the filtered list reaches the right subject.
TEST_F(MasterDataWindows, TeachersOwnSubjectsFirstAndAFilterNarrowsTheList) {
    for (int i = 3; i < 40; ++i)
        D().Faecher.push_back("G" + std::to_string(i));
    D().Lehrer[1].Faecher = {"G30", "F1", "G12"};
    lehrer.Oeffnen();
    Liste(lehrer, "LehrerCoBox")->setCurrentIndex(1);
    auto* liste = W<QListWidget>(lehrer, "FachCLBox");
    EXPECT_EQ(Texte(liste).mid(0, 4), QStringList({"F1", "G12", "G30", "F0"}));
    Haken(lehrer, "FachCLBox", "G5", true); // the order stays
    EXPECT_EQ(Texte(liste).mid(0, 4), QStringList({"F1", "G12", "G30", "F0"}));
    W<QLineEdit>(lehrer, "FachCLBoxFilterE")->setText("g3");
    QStringList sichtbar;
    for (int i = 0; i < liste->count(); ++i)
        if (!liste->item(i)->isHidden()) sichtbar << liste->item(i)->text();
    EXPECT_EQ(sichtbar.size(), 11);
    EXPECT_EQ(sichtbar.first(), "G30");
    Haken(lehrer, "FachCLBox", "G33", true);
    EXPECT_EQ(D().Lehrer[1].Faecher, (std::vector<std::string>{"G30", "F1", "G12", "G5", "G33"}));
}

// The entity list takes a typed name; text that names nothing gives way to the selection.
TEST_F(MasterDataWindows, TypingInTheEntityListFindsTheEntity) {
    lehrer.Oeffnen();
    QComboBox* liste = Liste(lehrer, "LehrerCoBox");
    liste->lineEdit()->setText("l2");
    emit liste->lineEdit()->editingFinished();
    EXPECT_EQ(liste->currentIndex(), 2);
    liste->lineEdit()->setText("kein Lehrer");
    emit liste->lineEdit()->editingFinished();
    EXPECT_EQ(liste->currentText(), "L2");
}

} // namespace
} // namespace sw::test
