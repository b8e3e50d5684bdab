// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson window "Unterricht" over a small hand-built school: its controls and captions, the
// block dialog and its refusals, units merged and split (for a course in every teacher's list),
// the time grid with its "X" cells and its refusals in the conflict group, the room dialog, plan
// mode, the main window's command, and lessons defined through the window surviving the project
// file.
#include "UiTestSupport.h"
#include "app/Session.h"
#include "support/School.h"
#include "support/TestSupport.h"
#include "ui/QtReporter.h"
#include "ui/TBlockForm.h"
#include "ui/THauptForm.h"
#include "ui/TProgrammOptionenForm.h"
#include "ui/TRaumWahlForm.h"
#include "ui/TUnterrichtForm.h"

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
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace sw::test {
namespace {

using ui::TUnterrichtForm;

std::vector<int> Laengen(const std::vector<CEinheit>& einheiten) {
    std::vector<int> l;
    for (const auto& e : einheiten)
        l.push_back(e.Laenge);
    return l;
}

class LessonWindow : public ::testing::Test {
protected:
    LessonWindow() : session(rep), form(session, rep, desktop) {
        // Five days of eight hours, rooms R0..R3, teachers L0..L2, classes K0..K2, subjects F0..F2.
        session.Stamm() = MakeSchool(5, 8, 4, 3, 3, 3);
        desktop.dialogs.Answer<ui::TBlockForm>([this](ui::TBlockForm& f) {
            auto* feld = f.findChild<QLineEdit*>("BStundenE");
            dialog = {f.findChild<QLabel*>("LehrerLabel")->text(),
                      f.findChild<QLabel*>("KlassenLabel")->text(),
                      f.findChild<QLabel*>("FachKursLabel")->text(), feld->text()};
            dialogFeldAktiv = feld->isEnabled();
            if (feld->isEnabled()) feld->setText(stunden);
            return hinzufuegen;
        });
        desktop.dialogs.Answer<ui::TRaumWahlForm>([this](ui::TRaumWahlForm& f) {
            const auto treffer = f.Liste().findItems(raum, Qt::MatchExactly);
            if (!treffer.isEmpty()) f.Liste().setCurrentItem(treffer.first());
            return true;
        });
    }
    Stammdaten& D() { return session.Stamm(); }
    template <typename T> T* W(const char* name) { return Find<T>(form, name); }
    QListWidget* L(const char* name) { return W<QListWidget>(name); }

    void Oeffnen() { form.Oeffnen(); }
    void Zeile(const char* liste, const QString& text) {
        const auto treffer = L(liste)->findItems(text, Qt::MatchExactly);
        ASSERT_FALSE(treffer.isEmpty()) << liste << " " << text.toStdString();
        L(liste)->setCurrentItem(treffer.first());
    }
    void Ansicht(int id) { form.Seiten().Ansicht->button(id)->click(); }
    // "Block hinzufügen" for the selected teacher and class with `was` from FachL or KursL.
    void Hinzu(const char* liste, const char* was, const QString& std) {
        Zeile(liste, U(was));
        stunden = std;
        W<QPushButton>("HinzuBitBtn")->click();
    }
    void Seite(int i) { form.Seiten().UnterrichtPC->setCurrentIndex(i); }
    void Markieren(std::initializer_list<int> zeilen) {
        QListWidget* l = L("EinheitenL");
        l->clearSelection();
        bool erste = true;
        for (int z : zeilen) {
            if (z >= l->count()) {
                ADD_FAILURE() << "no unit in row " << z;
                return;
            }
            if (erste)
                l->setCurrentRow(z, QItemSelectionModel::ClearAndSelect);
            else
                l->item(z)->setSelected(true);
            erste = false;
        }
    }
    QString Zelle(int zeile, int spalte) {
        const QTableWidgetItem* i = W<QTableWidget>("ZeitvorgabenG")->item(zeile, spalte);
        return i ? i->text() : QString();
    }
    QStringList Kreuze() {
        QStringList k;
        auto* g = W<QTableWidget>("ZeitvorgabenG");
        for (int z = 1; z < g->rowCount(); ++z)
            for (int s = 1; s < g->columnCount(); ++s)
                if (Zelle(z, s) == "X") k << QString("%1,%2").arg(z).arg(s);
        return k;
    }
    bool Marke() { return !W<QLabel>("Label12")->isHidden(); }
    QString Hinweis() { return W<QLabel>("HinweisLabel")->text(); }

    AnswerReporter rep;
    AnswerDesktop desktop;
    Session session;
    TUnterrichtForm form;
    QString stunden = "2";
    bool hinzufuegen = true;
    QStringList dialog;
    bool dialogFeldAktiv = false;
    QString raum;
};

TEST_F(LessonWindow, ControlsCarryTheirNamesAndCaptions) {
    EXPECT_EQ(form.windowTitle(), "Unterricht");
    auto* pc = W<QTabWidget>("UnterrichtPC");
    ASSERT_EQ(pc->count(), 4);
    EXPECT_EQ(pc->widget(0)->objectName(), "UnterrichtsBlockTS");
    EXPECT_EQ(pc->widget(1)->objectName(), "EinheitenTS");
    EXPECT_EQ(pc->widget(2)->objectName(), "SpezialTrennungenTS");
    EXPECT_EQ(pc->tabText(0), U("Unterrichts - Blöcke"));
    EXPECT_EQ(pc->tabText(1), "Einheiten");
    EXPECT_EQ(pc->tabText(2), "Spezial-Trennungen");
    EXPECT_EQ(pc->widget(3)->objectName(), "RegelnTS");
    EXPECT_EQ(pc->tabText(3), "Regeln");
    for (const char* n :
         {"LehrerL", "KlassenL", "FachL", "KursL", "KursFachL", "VFachBlockL", "VFachStdL",
          "VKursBlockL", "VKursStdL", "EinheitenL", "EinheitenStdL", "RaumL", "TrennungKlassenL",
          "TrennungStundenBlockL", "TrennungKursBlockL", "BeteiligtFachL", "BeteiligtKursL"})
        EXPECT_NE(L(n), nullptr);
    EXPECT_EQ(L("EinheitenL")->selectionMode(), QAbstractItemView::ExtendedSelection);
    const std::pair<const char*, const char*> knoepfe[] = {
        {"HinzuBitBtn", "Block hinzufügen"},
        {"EntfernenBitBtn", "Block entfernen"},
        {"SchliessenBtn", "Schließen"},
        {"ZusammenfassenBtn", "Zusammenfassen"},
        {"ZerlegenBtn", "Zerlegen"},
        {"RaumWaehlenBtn", "Raum wählen"},
        {"RaumLoeschenBtn", "Raum löschen"},
        {"ZeitLoeschenBtn", "Zeit löschen"},
        {"TrennungHinzuBitBtn", "Block hinzufügen"},
        {"TrennungEntfernenBitBtn", "Block entfernen"}};
    for (const auto& [name, text] : knoepfe)
        EXPECT_EQ(W<QPushButton>(name)->text(), U(text)) << name;
    const std::pair<const char*, const char*> kaesten[] = {
        {"TrennungCB", "Trennung"},
        {"NurUrPlanCB", "... nur für die Urplan - Erstellung"},
        {"OberesLimitCB", "... als oberes Limit"},
        {"UnteresLimitCB", "... als unteres Limit"},
        {"TagesLimitCB", "Einschränken auf"},
        {"RaumCheckCB", "Raum-Überprüfung"}};
    for (const auto& [name, text] : kaesten)
        EXPECT_EQ(W<QCheckBox>(name)->text(), U(text)) << name;
    EXPECT_NE(W<QComboBox>("LimitCoBox"), nullptr);
    EXPECT_NE(W<QComboBox>("TagCoBox"), nullptr);
    auto* ansicht = W<QGroupBox>("AnsichtRG");
    EXPECT_EQ(ansicht->title(), "Ansicht");
    const auto radios = ansicht->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 2);
    EXPECT_EQ(radios[0]->text(), "Lehrer");
    EXPECT_EQ(radios[1]->text(), "Klasse");
    EXPECT_TRUE(radios[0]->isChecked());
    EXPECT_EQ(W<QGroupBox>("KonfliktGB")->title(), "Konflikt");
    EXPECT_EQ(W<QLabel>("Label12")->text(), "!");
    EXPECT_TRUE(W<QLabel>("Label12")->isHidden());
    EXPECT_NE(W<QLabel>("HinweisLabel"), nullptr);
    EXPECT_NE(W<QLabel>("SummeLabel"), nullptr);
    auto* menu = W<QMenu>("EinheitenPM");
    const std::pair<const char*, const char*> eintraege[] = {
        {"ZusammenfassenPMI", "Zusammenfassen zu einer Einheit"},
        {"ZerlegenInEinzeleinheitenPMI", "Zerlegen in Einzeleinheiten"},
        {"RaumWaehlenPMI", "Raum wählen"},
        {"RaumLoeschenPMI", "Raum löschen"}};
    ASSERT_EQ(menu->actions().size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(menu->actions()[i]->objectName(), eintraege[i].first);
        EXPECT_EQ(menu->actions()[i]->text(), U(eintraege[i].second));
    }

    ui::TBlockForm& b = form.BlockForm();
    EXPECT_EQ(b.windowTitle(), "Stunden - Block definieren");
    EXPECT_EQ(Find<QLineEdit>(b, "BStundenE")->text(), "2");
    EXPECT_EQ(Find<QPushButton>(b, "Button1")->text(), U("Block hinzufügen"));
    EXPECT_EQ(Find<QPushButton>(b, "BlockVerwerfenBtn")->text(), "Block verwerfen");
    for (const char* n : {"LehrerLabel", "KlassenLabel", "FachKursLabel"})
        EXPECT_NE(Find<QLabel>(b, n), nullptr);
    ui::TRaumWahlForm& r = form.RaumWahlForm();
    EXPECT_EQ(r.windowTitle(), U("Räume"));
    EXPECT_NE(Find<QListWidget>(r, "RaumL"), nullptr);
    const auto rk = r.findChildren<QPushButton*>();
    ASSERT_EQ(rk.size(), 1);
    EXPECT_EQ(rk[0]->text(), "OK");
}

TEST_F(LessonWindow, TimeGridHasDayColumnsAndHourRows) {
    D().Angaben.TagNamen = {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag"};
    Oeffnen();
    auto* g = W<QTableWidget>("ZeitvorgabenG");
    EXPECT_EQ(g->columnCount(), 6);
    EXPECT_EQ(g->rowCount(), 9);
    EXPECT_EQ(Zelle(0, 1), "Mo");
    EXPECT_EQ(Zelle(0, 5), "Fr");
    EXPECT_EQ(Zelle(1, 0), "1");
    EXPECT_EQ(Zelle(8, 0), "8");
    auto* limit = W<QComboBox>("LimitCoBox");
    EXPECT_EQ(limit->count(), 8);
    EXPECT_EQ(limit->itemText(0), "1");
    EXPECT_EQ(W<QComboBox>("TagCoBox")->itemText(3), "Donnerstag");

    D().Angaben.Nullte = true;
    form.ZeitgitterAufbauen();
    EXPECT_EQ(g->rowCount(), 10);
    EXPECT_EQ(Zelle(1, 0), "0");
    EXPECT_EQ(Zelle(9, 0), "8");
    EXPECT_EQ(limit->count(), 9);
    EXPECT_EQ(limit->itemText(0), "0");
}

TEST_F(LessonWindow, CaptionsNameTeacherClassAndBlock) {
    AddCourse(D(), "C", {"L0", "L1"}, {"K0"}, {1, 1});
    AddBlock(D(), "L0", "K0", "F1", {1, 1, 1});
    Oeffnen();
    EXPECT_EQ(form.windowTitle(), "Unterricht   L0");
    EXPECT_EQ(Texte(L("LehrerL")), QStringList({"L0", "L1", "L2"}));
    EXPECT_EQ(Texte(L("FachL")), QStringList({"F0", "F1", "F2"}));
    EXPECT_EQ(Texte(L("KursL")), QStringList({"C"}));
    EXPECT_EQ(Texte(L("KursFachL")), QStringList({"F0"}));
    EXPECT_EQ(Texte(L("VFachBlockL")), QStringList({"L0 / K0 / F1"}));
    EXPECT_EQ(Texte(L("VFachStdL")), QStringList({"3"}));
    EXPECT_EQ(Texte(L("VKursBlockL")), QStringList({"C"}));

    L("VFachBlockL")->setCurrentRow(0);
    Seite(1);
    EXPECT_EQ(form.windowTitle(), "Unterricht    L0 / K0 / F1");
    EXPECT_EQ(Texte(L("EinheitenL")), QStringList(3, "L0 / K0 / F1"));
    Seite(0);
    L("VKursBlockL")->setCurrentRow(0);
    EXPECT_TRUE(L("VFachBlockL")->selectedItems().isEmpty());
    EXPECT_EQ(L("VKursStdL")->currentRow(), 0);
    Seite(1);
    EXPECT_EQ(form.windowTitle(), "Unterricht    L0 : C (Kurs) : F0");
    Seite(0);

    Ansicht(1);
    EXPECT_EQ(form.windowTitle(), "Unterricht   K0");
    L("VFachBlockL")->setCurrentRow(0);
    Seite(1);
    EXPECT_EQ(form.windowTitle(), "Unterricht    K0 / L0 / F1");
    Seite(0);
    L("VKursBlockL")->setCurrentRow(0);
    Seite(1);
    EXPECT_EQ(form.windowTitle(), "Unterricht    K0 : C (Kurs)");
    Seite(2);
    EXPECT_EQ(form.windowTitle(), "Spezialtrennungen : K0");
    EXPECT_TRUE(rep.shown.empty());
}

// The teacher list has a filter: typing narrows it, Return picks the first teacher shown and the
// window shows him as after a click.
TEST_F(LessonWindow, TeacherFilterNarrowsTheListAndReturnPicks) {
    D().Lehrer[2].Name = "MEIER";
    Oeffnen();
    auto* filter = W<QLineEdit>("LehrerLFilterE");
    filter->setText("ei");
    EXPECT_TRUE(L("LehrerL")->item(0)->isHidden());
    EXPECT_FALSE(L("LehrerL")->item(2)->isHidden());
    QTest::keyClick(filter, Qt::Key_Return);
    EXPECT_EQ(form.windowTitle(), "Unterricht   MEIER");
}

// In a larger window the name lists grow, so that long names are not cut; the hours columns
// keep their width.
TEST_F(LessonWindow, NameListsGrowWithTheWindow) {
    Oeffnen();
    form.resize(860, 560);
    Serve(20);
    const int lehrer = L("LehrerL")->width(), kurse = L("KursL")->width();
    const int stunden = L("VFachStdL")->width();
    form.resize(1600, 900);
    Serve(20);
    EXPECT_GT(L("LehrerL")->width(), lehrer + 100);
    EXPECT_GT(L("KursL")->width(), kurse + 100);
    EXPECT_EQ(L("VFachStdL")->width(), stunden);
}

TEST_F(LessonWindow, UnitsPageNeedsABlock) {
    Oeffnen();
    Seite(1);
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Sie müssen zuerst einen Block markieren,\num für diesen die "
                                     "Einheiten definieren zu können.",
                                     "Hinweis"}));
    EXPECT_EQ(W<QTabWidget>("UnterrichtPC")->currentIndex(), 0);
}

// 5 days of 8 hours: 40 hours fit in the week, 41 do not. The message stands over the window.
TEST_F(LessonWindow, HoursRangeIsTheWeek) {
    Oeffnen();
    form.activateWindow();
    Serve(50);
    QWidget* ueber = nullptr;
    rep.onShow = [&](const Message&) { ueber = ui::QtReporter(nullptr).Parent(); };
    Hinzu("FachL", "F0", "41");
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0],
              (Message{"Die StundenZahl für einen Unterrichts - Block kann nur zwischen 1 und 40 "
                       "liegen!",
                       "Fehler"}));
    EXPECT_EQ(ueber, &form);
    EXPECT_TRUE(D().FachBloecke.empty());
    EXPECT_EQ(dialog, QStringList({"L0", "K0", "F0", ""}));
    EXPECT_TRUE(dialogFeldAktiv);

    Hinzu("FachL", "F0", "zwei");
    ASSERT_EQ(rep.shown.size(), 2u);
    EXPECT_EQ(rep.shown[1], (Message{"zwei ist keine gültige Zahl", "Fehler"}));

    Hinzu("FachL", "F0", "40");
    EXPECT_EQ(rep.shown.size(), 2u);
    ASSERT_EQ(D().FachBloecke.size(), 1u);
    const CFachBlock& b = D().FachBloecke[0].Block;
    EXPECT_EQ(b.BStunden, 40);
    EXPECT_EQ(Laengen(b.Einheiten), std::vector<int>(40, 1));
    EXPECT_EQ(b.Trennung, 1);
    EXPECT_EQ(Texte(L("VFachStdL")), QStringList({"40"}));
}

TEST_F(LessonWindow, BlockDialogCanBeDiscarded) {
    Oeffnen();
    hinzufuegen = false;
    Hinzu("FachL", "F1", "3");
    EXPECT_TRUE(D().FachBloecke.empty());
    EXPECT_TRUE(rep.shown.empty());
    // Nothing selected to add: the dialog does not open.
    L("FachL")->clearSelection();
    dialog.clear();
    W<QPushButton>("HinzuBitBtn")->click();
    EXPECT_TRUE(dialog.isEmpty());
}

TEST_F(LessonWindow, BlockDialogFocusesItsHoursField) {
    ui::TBlockForm& b = form.BlockForm();
    b.Fuellen("L0", "K0", "F0", std::nullopt);
    b.show();
    b.activateWindow();
    Serve(50);
    auto* feld = Find<QLineEdit>(b, "BStundenE");
    EXPECT_TRUE(feld->hasFocus());
    feld->setText("4");
    b.hide();
    b.show();
    Serve(20);
    EXPECT_EQ(feld->selectedText(), "4");
    b.hide();
    b.Fuellen("L0", "K0", "C", 3);
    EXPECT_FALSE(feld->isEnabled());
    EXPECT_EQ(feld->text(), "3");
}

TEST_F(LessonWindow, DuplicateBlockIsRefusedAndAnotherTeacherAsks) {
    Oeffnen();
    Hinzu("FachL", "F0", "3");
    Hinzu("FachL", "F0", "2");
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Block ist bereits vorhanden", "Fehler"}));
    EXPECT_EQ(D().FachBloecke.size(), 1u);

    L("LehrerL")->setCurrentRow(1);
    rep.answer = false;
    Hinzu("FachL", "F0", "2");
    ASSERT_EQ(rep.asked.size(), 1u);
    EXPECT_EQ(rep.asked[0].Text, "Das Fach F0 wurde bereits vergeben.\nDiesen Block trotzdem "
                                 "einfügen?");
    EXPECT_EQ(D().FachBloecke.size(), 1u);
    rep.answer = true;
    Hinzu("FachL", "F0", "2");
    ASSERT_EQ(D().FachBloecke.size(), 2u);
    EXPECT_EQ(D().FachBloecke[1].Key, "L1 / K0 / F0");
    EXPECT_EQ(Texte(L("VFachBlockL")), QStringList({"L1 / K0 / F0"}));
}

TEST_F(LessonWindow, ClassJoinsACourseOnce) {
    AddCourse(D(), "C", {"L0", "L1"}, {"K0"}, {1, 1}).BStunden = 2;
    Oeffnen();
    L("KlassenL")->setCurrentRow(1);
    Hinzu("KursL", "C", "9");
    EXPECT_EQ(dialog, QStringList({"L0", "K1", "C", "2"}));
    EXPECT_FALSE(dialogFeldAktiv);
    EXPECT_EQ(D().KursBloecke[0].Klassen, (std::vector<std::string>{"K0", "K1"}));
    Hinzu("KursL", "C", "9");
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Diese Klasse hat bereits den Kurs C", "Fehler"}));
}

TEST_F(LessonWindow, SummaryAddsSubjectAndCourseHours) {
    AddBlock(D(), "L0", "K0", "F0", {1, 2});
    AddBlock(D(), "L0", "K1", "F1", {1, 1});
    AddCourse(D(), "C", {"L0"}, {"K0"}, {2}).BStunden = 2;
    AddBlock(D(), "L1", "K0", "F2", {1});
    Oeffnen();
    EXPECT_EQ(W<QLabel>("SummeLabel")->text(), " 5 Normal-Stunden + 2 Kurs-Stunden = 7");
    Ansicht(1);
    EXPECT_EQ(W<QLabel>("SummeLabel")->text(), " 4 Normal-Stunden + 2 Kurs-Stunden = 6");
    EXPECT_EQ(Texte(L("VFachBlockL")), QStringList({"L0 / K0 / F0", "L1 / K0 / F2"}));
}

TEST_F(LessonWindow, MergeAppendsAndSplitGivesSingleHours) {
    AddBlock(D(), "L0", "K0", "F0", {1, 2, 1});
    Oeffnen();
    L("VFachBlockL")->setCurrentRow(0);
    Seite(1);
    Markieren({0, 1});
    EXPECT_EQ(L("EinheitenStdL")->selectedItems().size(), 2);
    W<QPushButton>("ZusammenfassenBtn")->click();
    EXPECT_EQ(Laengen(D().FachBloecke[0].Block.Einheiten), (std::vector<int>{1, 3}));
    EXPECT_EQ(Texte(L("EinheitenStdL")), QStringList({"1", "3"}));
    EXPECT_EQ(L("EinheitenL")->currentRow(), 0);

    Markieren({0, 1});
    W<QPushButton>("ZerlegenBtn")->click();
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Es kann mit einem mal immer nur eine Einheit in "
                                     "Einzeleinheiten zerlegt werden.",
                                     "Hinweis"}));
    EXPECT_EQ(Laengen(D().FachBloecke[0].Block.Einheiten), (std::vector<int>{1, 3}));

    Markieren({1});
    W<QAction>("ZerlegenInEinzeleinheitenPMI")->trigger();
    EXPECT_EQ(Laengen(D().FachBloecke[0].Block.Einheiten), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(Texte(L("EinheitenStdL")), QStringList({"1", "1", "1", "1"}));
    // One unit alone is no merge.
    Markieren({2});
    W<QAction>("ZusammenfassenPMI")->trigger();
    EXPECT_EQ(D().FachBloecke[0].Block.Einheiten.size(), 4u);
    EXPECT_EQ(D().FachBloecke[0].Block.BStunden, 4);
}

TEST_F(LessonWindow, CourseMergeChangesEveryTeachersList) {
    CKursBlock& c = AddCourse(D(), "C", {"L0", "L1", "L2"}, {"K0"}, {1, 1, 1});
    c.Lehrer[1].Einheiten[0].Raum = "R1";
    Oeffnen();
    L("LehrerL")->setCurrentRow(1);
    L("VKursBlockL")->setCurrentRow(0);
    Seite(1);
    EXPECT_EQ(Texte(L("EinheitenL")), QStringList(3, "C"));
    EXPECT_EQ(Texte(L("RaumL")), QStringList({"R1", "", ""}));
    Markieren({0, 2});
    W<QPushButton>("ZusammenfassenBtn")->click();
    for (const auto& l : D().KursBloecke[0].Lehrer)
        EXPECT_EQ(Laengen(l.Einheiten), (std::vector<int>{1, 2})) << l.Name;
    Markieren({1});
    W<QPushButton>("ZerlegenBtn")->click();
    for (const auto& l : D().KursBloecke[0].Lehrer)
        EXPECT_EQ(Laengen(l.Einheiten), (std::vector<int>{1, 1, 1})) << l.Name;
}

TEST_F(LessonWindow, ClassViewRemovesOnlyTheClassFromACourse) {
    AddCourse(D(), "C", {"L0", "L1"}, {"K0", "K1"}, {1, 1});
    AddBlock(D(), "L0", "K0", "F1", {1});
    Oeffnen();
    // The teacher view cannot take a teacher out of a course.
    L("VKursBlockL")->setCurrentRow(0);
    W<QPushButton>("EntfernenBitBtn")->click();
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Die Zuordnung eines Lehrers zu einem Kurs kann nicht in "
                                     "diesem Dialogfeld gelöscht werden.",
                                     "Hinweis"}));
    EXPECT_EQ(D().KursBloecke[0].Klassen.size(), 2u);

    Ansicht(1);
    L("VKursBlockL")->setCurrentRow(0);
    W<QPushButton>("EntfernenBitBtn")->click();
    ASSERT_EQ(D().KursBloecke.size(), 1u);
    EXPECT_EQ(D().KursBloecke[0].Klassen, (std::vector<std::string>{"K1"}));
    EXPECT_EQ(D().KursBloecke[0].Lehrer.size(), 2u);
    EXPECT_TRUE(Texte(L("VKursBlockL")).isEmpty());
    EXPECT_EQ(form.Block().Art, BlockArt::Keiner);

    // A subject block goes with its units, in either view.
    L("VFachBlockL")->setCurrentRow(0);
    W<QPushButton>("EntfernenBitBtn")->click();
    EXPECT_TRUE(D().FachBloecke.empty());
    EXPECT_TRUE(Texte(L("VFachBlockL")).isEmpty());
}

TEST_F(LessonWindow, SeparationFlagFollowsTheBlock) {
    AddBlock(D(), "L0", "K0", "F0", {1}, true);
    AddBlock(D(), "L0", "K1", "F0", {1}, false);
    Oeffnen();
    auto* cb = W<QCheckBox>("TrennungCB");
    EXPECT_FALSE(cb->isEnabled());
    L("VFachBlockL")->setCurrentRow(0);
    EXPECT_TRUE(cb->isEnabled());
    EXPECT_TRUE(cb->isChecked());
    L("VFachBlockL")->setCurrentRow(1);
    EXPECT_FALSE(cb->isChecked());
    // Showing the flag wrote nothing; a click does.
    EXPECT_EQ(D().FachBloecke[0].Block.Trennung, 1);
    cb->click();
    EXPECT_EQ(D().FachBloecke[1].Block.Trennung, 1);
    EXPECT_EQ(D().FachBloecke[0].Block.Trennung, 1);
}

TEST_F(LessonWindow, RefusedTimeShowsHintAndMarkUntilASuccess) {
    D().Klassen[0].Sperre[SlotOf(0, 1)] = 1;
    AddBlock(D(), "L0", "K0", "F0", {2, 1});
    Oeffnen();
    L("VFachBlockL")->setCurrentRow(0);
    Seite(1);
    EXPECT_FALSE(Marke());
    form.ZelleGewaehlt(1, 1); // day 0, hour 1: the class is locked
    EXPECT_EQ(Hinweis(), U("Eine Festlegung dieser Zeit für diese Unterrichts - Einheit ist nicht "
                           "möglich!\n\nFür die Klasse K0 wurde am 1. Tag in der 1. Stunde eine "
                           "Sperrung vorgenommen."));
    EXPECT_TRUE(Marke());
    EXPECT_EQ(D().FachBloecke[0].Block.Einheiten[0].Zeitvorgabe, kNoSlot);
    EXPECT_TRUE(Kreuze().isEmpty());
    // Hour 8 with two hours runs past the day.
    form.ZelleGewaehlt(8, 2);
    EXPECT_EQ(Hinweis(), U("Die Länge der Einheit geht über die maximale Stundenzahl des Tages "
                           "hinaus."));

    form.ZelleGewaehlt(3, 2); // day 1, hour 3
    EXPECT_EQ(Hinweis(), "");
    EXPECT_FALSE(Marke());
    EXPECT_EQ(D().FachBloecke[0].Block.Einheiten[0].Zeitvorgabe, SlotOf(1, 3));
    EXPECT_EQ(Kreuze(), QStringList({"3,2", "4,2"}));
    EXPECT_TRUE(W<QCheckBox>("NurUrPlanCB")->isEnabled());
    // Several units at once get no time.
    Markieren({0, 1});
    form.ZelleGewaehlt(5, 3);
    EXPECT_EQ(Hinweis(), U("Es kann mit einem mal immer nur einer Einheit eine Unterrichtszeit "
                           "zugewiesen werden."));
    EXPECT_EQ(D().FachBloecke[0].Block.Einheiten[1].Zeitvorgabe, kNoSlot);
    // "Zeit löschen" takes the time back.
    Markieren({0});
    W<QPushButton>("ZeitLoeschenBtn")->click();
    EXPECT_EQ(D().FachBloecke[0].Block.Einheiten[0].Zeitvorgabe, kNoSlot);
    EXPECT_TRUE(Kreuze().isEmpty());
}

TEST_F(LessonWindow, ShowingUnitsChangesNothing) {
    D().Angaben.Nullte = true;
    CFachBlock& b = AddBlock(D(), "L0", "K0", "F0", {2, 1, 1});
    b.Einheiten[0].Zeitvorgabe = SlotOf(2, 0);
    b.Einheiten[0].NurUrPlan = 1;
    b.Einheiten[1].Zeitvorgabe = 3;
    b.Einheiten[1].OberesLimit = 1;
    b.Einheiten[2].TagesLimit = 1;
    b.Einheiten[2].Tag = 4;
    const Stammdaten vorher = D();
    Oeffnen();
    L("VFachBlockL")->setCurrentRow(0);
    Seite(1);
    auto* g = W<QTableWidget>("ZeitvorgabenG");
    // With the 0th hour row 1 is hour 0.
    EXPECT_EQ(Kreuze(), QStringList({"1,3", "2,3"}));
    EXPECT_TRUE(W<QCheckBox>("NurUrPlanCB")->isChecked());
    EXPECT_FALSE(g->isHidden());
    Markieren({1});
    EXPECT_TRUE(g->isHidden());
    EXPECT_TRUE(W<QCheckBox>("OberesLimitCB")->isChecked());
    EXPECT_TRUE(W<QComboBox>("LimitCoBox")->isEnabled());
    EXPECT_EQ(W<QComboBox>("LimitCoBox")->currentText(), "3");
    Markieren({2});
    EXPECT_FALSE(g->isHidden());
    EXPECT_TRUE(W<QCheckBox>("TagesLimitCB")->isChecked());
    EXPECT_TRUE(W<QComboBox>("TagCoBox")->isEnabled());
    EXPECT_EQ(W<QComboBox>("TagCoBox")->currentIndex(), 4);
    Markieren({0});
    Seite(0);
    L("VFachBlockL")->setCurrentRow(0);
    EXPECT_EQ(D(), vorher);
}

TEST_F(LessonWindow, LimitControlsWriteTheUnit) {
    AddBlock(D(), "L0", "K0", "F0", {1, 1});
    Oeffnen();
    L("VFachBlockL")->setCurrentRow(0);
    Seite(1);
    Markieren({1});
    W<QCheckBox>("UnteresLimitCB")->click();
    const CEinheit& e = D().FachBloecke[0].Block.Einheiten[1];
    EXPECT_EQ(e.UnteresLimit, 1);
    EXPECT_EQ(e.Zeitvorgabe, 1);
    EXPECT_TRUE(W<QTableWidget>("ZeitvorgabenG")->isHidden());
    auto* limit = W<QComboBox>("LimitCoBox");
    limit->setCurrentIndex(4);
    emit limit->activated(4);
    EXPECT_EQ(e.Zeitvorgabe, 5);
    W<QCheckBox>("OberesLimitCB")->click();
    EXPECT_EQ(e.OberesLimit, 1);
    EXPECT_EQ(e.UnteresLimit, 0);
    W<QCheckBox>("OberesLimitCB")->click();
    EXPECT_EQ(e.OberesLimit, 0);
    EXPECT_EQ(e.Zeitvorgabe, kNoSlot);
    EXPECT_FALSE(W<QTableWidget>("ZeitvorgabenG")->isHidden());
    EXPECT_EQ(D().FachBloecke[0].Block.Einheiten[0], CEinheit());

    // "Einschränken auf" without an hour limit takes a fixed time back and keeps the day.
    Markieren({0});
    form.ZelleGewaehlt(2, 3);
    const CEinheit& f = D().FachBloecke[0].Block.Einheiten[0];
    EXPECT_EQ(f.Zeitvorgabe, SlotOf(2, 2));
    auto* tag = W<QComboBox>("TagCoBox");
    tag->setCurrentIndex(3);
    W<QCheckBox>("TagesLimitCB")->click();
    EXPECT_EQ(f.Zeitvorgabe, kNoSlot);
    EXPECT_EQ(f.TagesLimit, 1);
    EXPECT_EQ(f.Tag, 3);
    EXPECT_TRUE(tag->isEnabled());
    tag->setCurrentIndex(1);
    emit tag->activated(1);
    EXPECT_EQ(f.Tag, 1);
    W<QCheckBox>("NurUrPlanCB")->click(); // disabled: no time to hold
    EXPECT_EQ(f.NurUrPlan, 0);
}

TEST_F(LessonWindow, RoomChoiceIsCheckedAndShown) {
    D().Raeume[1].Sperre[SlotOf(0, 2)] = 1;
    CFachBlock& b = AddBlock(D(), "L0", "K0", "F0", {1, 1});
    b.Einheiten[0].Zeitvorgabe = SlotOf(0, 2);
    Oeffnen();
    EXPECT_EQ(Texte(&form.RaumWahlForm().Liste()), QStringList({"R0", "R1", "R2", "R3"}));
    L("VFachBlockL")->setCurrentRow(0);
    Seite(1);
    raum = "R1";
    W<QPushButton>("RaumWaehlenBtn")->click();
    EXPECT_EQ(Hinweis(), U("Eine Wahl dieses Raumes ist für diese Zeit icht möglich!\n\nFür den "
                           "Raum R1 wurde am 1. Tag in der 2. Stunde eine Sperrung "
                           "vorgenommen."));
    EXPECT_TRUE(Marke());
    EXPECT_EQ(D().FachBloecke[0].Block.Einheiten[0].Raum, "");
    EXPECT_EQ(form.RaumWahlForm().pos(), form.pos() + QPoint(20, 20));
    raum = "R2";
    W<QAction>("RaumWaehlenPMI")->trigger();
    EXPECT_EQ(Hinweis(), "");
    EXPECT_FALSE(Marke());
    EXPECT_EQ(D().FachBloecke[0].Block.Einheiten[0].Raum, "R2");
    EXPECT_EQ(Texte(L("RaumL")), QStringList({"R2", ""}));
    EXPECT_EQ(L("EinheitenL")->currentRow(), 0);
    W<QPushButton>("RaumLoeschenBtn")->click();
    EXPECT_EQ(D().FachBloecke[0].Block.Einheiten[0].Raum, "");
    EXPECT_EQ(Texte(L("RaumL")), QStringList({"", ""}));
    // Without a unit: the hint says so.
    L("EinheitenL")->clearSelection();
    L("EinheitenL")->setCurrentRow(-1);
    W<QPushButton>("RaumWaehlenBtn")->click();
    EXPECT_EQ(Hinweis(), U("Sie müssen zuerst eine Einheit auswählen."));
}

TEST_F(LessonWindow, SpecialSeparationGroupsByClass) {
    AddBlock(D(), "L0", "K1", "F0", {1});
    AddBlock(D(), "L1", "K1", "F1", {1});
    AddCourse(D(), "C", {"L2"}, {"K1"}, {1});
    Oeffnen();
    Seite(2);
    L("TrennungKlassenL")->setCurrentRow(1);
    EXPECT_EQ(form.windowTitle(), "Spezialtrennungen : K1");
    EXPECT_EQ(Texte(L("TrennungStundenBlockL")), QStringList({"L0 / K1 / F0", "L1 / K1 / F1"}));
    EXPECT_EQ(Texte(L("TrennungKursBlockL")), QStringList({"C"}));
    L("TrennungStundenBlockL")->setCurrentRow(1);
    W<QPushButton>("TrennungHinzuBitBtn")->click();
    EXPECT_EQ(D().FachBloecke[1].Block.SpezialTrennung, 1);
    EXPECT_EQ(Texte(L("BeteiligtFachL")), QStringList({"L1 / K1 / F1"}));
    L("TrennungKursBlockL")->setCurrentRow(0);
    W<QPushButton>("TrennungHinzuBitBtn")->click();
    EXPECT_EQ(D().KursBloecke[0].SpezialTrennung, 1);
    EXPECT_EQ(Texte(L("BeteiligtKursL")), QStringList({"C"}));
    L("BeteiligtFachL")->setCurrentRow(0);
    W<QPushButton>("TrennungEntfernenBitBtn")->click();
    EXPECT_EQ(D().FachBloecke[1].Block.SpezialTrennung, -1);
    EXPECT_TRUE(Texte(L("BeteiligtFachL")).isEmpty());
}

TEST_F(LessonWindow, PlanModeDisablesTheEditingControls) {
    AddBlock(D(), "L0", "K0", "F0", {1, 1});
    Oeffnen();
    L("VFachBlockL")->setCurrentRow(0);
    const char* knoepfe[] = {"HinzuBitBtn",
                             "EntfernenBitBtn",
                             "TrennungCB",
                             "ZusammenfassenBtn",
                             "ZerlegenBtn",
                             "RaumWaehlenBtn",
                             "RaumLoeschenBtn",
                             "ZeitLoeschenBtn",
                             "ZeitvorgabenG",
                             "RaumCheckCB",
                             "TrennungEntfernenBitBtn",
                             "TrennungHinzuBitBtn"};
    const char* eintraege[] = {"ZusammenfassenPMI", "ZerlegenInEinzeleinheitenPMI",
                               "RaumWaehlenPMI", "RaumLoeschenPMI"};
    form.SetEditable(false);
    for (const char* n : knoepfe)
        EXPECT_FALSE(W<QWidget>(n)->isEnabled()) << n;
    for (const char* n : eintraege)
        EXPECT_FALSE(W<QAction>(n)->isEnabled()) << n;
    // Lists and navigation stay usable, and selecting does not enable anything again.
    for (const char* n : {"LehrerL", "KlassenL", "VFachBlockL", "EinheitenL", "SchliessenBtn"})
        EXPECT_TRUE(W<QWidget>(n)->isEnabled()) << n;
    L("VFachBlockL")->setCurrentRow(0);
    Seite(1);
    EXPECT_FALSE(W<QWidget>("RaumWaehlenBtn")->isEnabled());
    EXPECT_FALSE(W<QWidget>("TrennungCB")->isEnabled());
    Seite(0);
    form.SetEditable(true);
    for (const char* n : knoepfe)
        EXPECT_TRUE(W<QWidget>(n)->isEnabled()) << n;
    for (const char* n : eintraege)
        EXPECT_TRUE(W<QAction>(n)->isEnabled()) << n;
}

TEST_F(LessonWindow, CourseRoomsAreChosenPerTeacher) {
    CKursBlock& c = AddCourse(D(), "C", {"L0", "L1"}, {"K0"}, {1, 1});
    c.Lehrer[0].Einheiten[0].Raum = "R0";
    Oeffnen();
    Ansicht(1);
    L("VKursBlockL")->setCurrentRow(0);
    EXPECT_FALSE(W<QWidget>("RaumWaehlenBtn")->isEnabled());
    EXPECT_FALSE(W<QAction>("RaumLoeschenPMI")->isEnabled());
    Seite(1);
    EXPECT_EQ(Texte(L("RaumL")), QStringList({"R0, -", "-,-"}));
    Seite(0);
    Ansicht(0);
    L("VKursBlockL")->setCurrentRow(0);
    EXPECT_TRUE(W<QWidget>("RaumWaehlenBtn")->isEnabled());
}

// Lessons defined through the window survive the project file unchanged.
TEST_F(LessonWindow, LessonsDefinedHereRoundTripThroughTheProjectFile) {
    AddCourse(D(), "C", {"L0", "L1"}, {"K0"}, {1, 1}).BStunden = 2;
    D().Klassen[2].Sperre[SlotOf(0, 1)] = 1;
    Oeffnen();
    Hinzu("FachL", "F1", "4");
    L("KlassenL")->setCurrentRow(1);
    Hinzu("KursL", "C", "");
    L("LehrerL")->setCurrentRow(2);
    L("KlassenL")->setCurrentRow(2);
    Hinzu("FachL", "F2", "3");
    L("VFachBlockL")->setCurrentRow(0);
    W<QCheckBox>("TrennungCB")->click();
    Seite(1);
    Markieren({0, 1});
    W<QPushButton>("ZusammenfassenBtn")->click();
    Markieren({1});
    form.ZelleGewaehlt(3, 4);
    raum = "R3";
    W<QPushButton>("RaumWaehlenBtn")->click();
    Markieren({0});
    W<QCheckBox>("TagesLimitCB")->click();
    Seite(2);
    L("TrennungKlassenL")->setCurrentRow(2);
    L("TrennungStundenBlockL")->setCurrentRow(0);
    W<QPushButton>("TrennungHinzuBitBtn")->click();
    ASSERT_TRUE(rep.shown.empty()) << rep.shown[0].Text;

    const CFachBlock& b = D().FachBloecke[1].Block;
    EXPECT_EQ(b.Key(), "L2 / K2 / F2");
    EXPECT_EQ(b.Trennung, 0);
    EXPECT_EQ(Laengen(b.Einheiten), (std::vector<int>{1, 2}));
    EXPECT_EQ(b.Einheiten[1].Zeitvorgabe, SlotOf(3, 3));
    EXPECT_EQ(b.Einheiten[1].Raum, "R3");
    EXPECT_EQ(b.Einheiten[0].TagesLimit, 1);
    EXPECT_EQ(b.SpezialTrennung, 2);
    EXPECT_EQ(D().KursBloecke[0].Klassen, (std::vector<std::string>{"K0", "K1"}));

    TempDir dir;
    // Both files keep every lesson as defined (a course's template is never saved): the
    // project file too keeps the units' flags and day and the special-separation groups.
    const auto gleich = [&](const Stammdaten& gelesen, bool stream) {
        std::vector<CKursBlock> kurse = D().KursBloecke;
        std::vector<CKursBlock> kurseGelesen = gelesen.KursBloecke;
        for (auto& k : kurse)
            k.Vorlage.clear();
        for (auto& k : kurseGelesen)
            k.Vorlage.clear();
        EXPECT_EQ(gelesen.FachBloecke, D().FachBloecke) << stream;
        EXPECT_EQ(kurseGelesen, kurse) << stream;
    };
    const std::string schule = dir.File("schule.sch");
    ASSERT_TRUE(session.SaveProjectFile(schule));
    Session wieder(rep);
    ASSERT_TRUE(wieder.OpenProjectFile(schule));
    gleich(wieder.Stamm(), false);
    const std::string stamm = dir.File("schule.sdt");
    ASSERT_TRUE(session.SaveStammFile(stamm));
    ASSERT_TRUE(wieder.OpenStammFile(stamm));
    gleich(wieder.Stamm(), true);
    EXPECT_TRUE(rep.shown.empty());
}

TEST_F(LessonWindow, DoubleClickOnABlockOpensItsUnits) {
    AddBlock(D(), "L0", "K0", "F0", {1, 2});
    Oeffnen();
    QListWidget* std = L("VFachStdL");
    std->setCurrentRow(0);
    emit std->itemDoubleClicked(std->item(0));
    EXPECT_EQ(W<QTabWidget>("UnterrichtPC")->currentIndex(), 1);
    EXPECT_EQ(Texte(L("EinheitenStdL")), QStringList({"1", "2"}));
    EXPECT_EQ(form.Block().Art, BlockArt::Fach);
    EXPECT_TRUE(rep.shown.empty());
}

TEST(LessonWindowMain, PositionKeptInTheProgramOptions) {
    TempDir dir;
    AnswerReporter rep;
    const QString ordner = QString::fromStdString(dir.Path().string());
    {
        AnswerDesktop desktop;
        ui::THauptForm haupt(rep, desktop, ordner);
        haupt.UnterrichtForm().move(230, 240);
        auto& opt = haupt.OptionenForm();
        opt.OptionenSpeichernClick();
        Find<QCheckBox>(opt, "OptionenLadenCB")->setChecked(true);
        opt.accept();
    }
    const std::string ini = ReadFileBytes(dir.File("config.ini"));
    EXPECT_NE(ini.find("Unterricht_L=230"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Unterricht_T=240"), std::string::npos) << ini;
    AnswerDesktop desktopNeu;
    ui::THauptForm neu(rep, desktopNeu, ordner);
    neu.OptionenBeimStart();
    EXPECT_EQ(neu.UnterrichtForm().pos(), QPoint(230, 240));
    EXPECT_TRUE(rep.shown.empty());
}

// The pop-up "Hilfe" of the window and of its room dialog opens the lesson page.
TEST(LessonWindowMain, HelpPopupOpensTheLessonPage) {
    TempDir dir;
    AnswerReporter rep;
    AnswerDesktop desktop;
    ui::THauptForm haupt(rep, desktop, QString::fromStdString(dir.Path().string()));
    haupt.SetHilfePfad(QString::fromStdString(dir.Path().string()));
    WriteFileBytes(dir.File("unterricht.htm"), "<html></html>");
    desktop.open = [](const QString&) { return true; };
    const std::vector<QString>& seiten = desktop.opened;
    for (QWidget* w : {static_cast<QWidget*>(&haupt.UnterrichtForm()),
                       static_cast<QWidget*>(&haupt.UnterrichtForm().RaumWahlForm())}) {
        QTimer::singleShot(50, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            EXPECT_EQ(menu->actions().value(0)->text(), "Hilfe");
            menu->actions().value(0)->trigger();
            menu->close();
        });
        w->show();
        emit w->customContextMenuRequested(QPoint(5, 5));
        w->hide();
    }
    ASSERT_EQ(seiten.size(), 2u);
    EXPECT_EQ(seiten[0], QString::fromStdString(dir.File("unterricht.htm")));
    EXPECT_EQ(seiten[1], seiten[0]);
    EXPECT_TRUE(rep.shown.empty());
}

TEST(LessonWindowMain, UnterrichtOpensTheWindowWithFreshLists) {
    AnswerReporter rep;
    TempDir dir;
    AnswerDesktop desktop;
    ui::THauptForm haupt(rep, desktop, QString::fromStdString(dir.Path().string()));
    QAction* befehl = haupt.Befehl("&Unterricht");
    ASSERT_NE(befehl, nullptr);
    EXPECT_TRUE(befehl->isEnabled());
    befehl->trigger();
    EXPECT_EQ(rep.shown.size(), 3u);
    EXPECT_FALSE(haupt.UnterrichtForm().isVisible());

    rep.shown.clear();
    desktop.file = [](const ui::DateiDialog&) {
        return QString::fromStdString(SourcePath("examples/gymnasium.sch"));
    };
    haupt.OeffnenClick();
    befehl->trigger();
    ASSERT_TRUE(rep.shown.empty());
    ui::TUnterrichtForm& form = haupt.UnterrichtForm();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.isModal());
    const Stammdaten& d = haupt.Sitzung().Stamm();
    auto* lehrer = Find<QListWidget>(form, "LehrerL");
    EXPECT_EQ(lehrer->count(), static_cast<int>(d.Lehrer.size()));
    EXPECT_EQ(lehrer->currentRow(), 0);
    EXPECT_EQ(Find<QListWidget>(form, "KlassenL")->count(), static_cast<int>(d.Klassen.size()));
    EXPECT_EQ(form.RaumWahlForm().Liste().count(), static_cast<int>(d.Raeume.size()));
    EXPECT_EQ(Find<QTableWidget>(form, "ZeitvorgabenG")->columnCount(), d.Angaben.Tage + 1);

    // Plan mode reaches the lesson window; "&Neu" empties and closes it.
    haupt.SetEditable(false);
    EXPECT_FALSE(Find<QPushButton>(form, "HinzuBitBtn")->isEnabled());
    haupt.SetEditable(true);
    EXPECT_TRUE(Find<QPushButton>(form, "HinzuBitBtn")->isEnabled());
    form.Leeren();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(lehrer->count(), 0);
}

} // namespace
} // namespace sw::test
