// SPDX-License-Identifier: GPL-3.0-or-later
// The substitution window "Vertretungen" and its chooser "Vertretung für" over the planned example
// school, opened from the main window: absent teachers, the lessons to cover, choosing, "Ausfall",
// taking a choice back, the question for a teacher chosen twice at one hour, the sheet to Word
// and to the printer, the plan grid from both windows, and the window closing with the plan.
#include "UiTestSupport.h"
#include "app/FigureTexts.h"
#include "edit/GridView.h"
#include "export/DocxReader.h"
#include "publish/Webseite.h"
#include "support/TestSupport.h"
#include "ui/DruckSatz.h"
#include "ui/QtReporter.h"
#include "ui/TAbwesenheitenForm.h"
#include "ui/THauptForm.h"
#include "ui/TPlanBSForm.h"
#include "ui/TPlanForm.h"
#include "ui/TProgrammOptionenForm.h"
#include "ui/TVertretungenForm.h"
#include "ui/TVertretungsWahlForm.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <filesystem>

namespace sw::test {
namespace {

using ui::TVertretungenForm;
using ui::TVertretungsWahlForm;

// Two teachers who both teach at one hour of one day of the plan.
struct Paar {
    int A = -1, B = -1, Tag = -1, Slot = kNoSlot;
};

class SubstitutionWindow : public ::testing::Test {
protected:
    SubstitutionWindow() : haupt(rep, desktop, QString::fromStdString(dir.Path().string())) {
        // A copy: the window keeps its journal beside the school.
        std::filesystem::copy_file(SourcePath("examples/gymnasium.sch"), dir.File("gymnasium.sch"));
        desktop.file = [this](const ui::DateiDialog&) {
            return QString::fromStdString(dir.File("gymnasium.sch"));
        };
        haupt.OeffnenClick();
        Planen();
        desktop.today = [] { return Datum{2026, 12, 9}; };
        haupt.VertretungenClick();
        // The main window opened the journal beside the school; these tests look at the window
        // of a school without one (its chooser in plan order), the last one at the journal.
        EXPECT_NE(F().Journal(), nullptr);
        F().Fuellen(P(), haupt.Sitzung().Stamm());
    }

    // A new plan through the main window, with its initial plan.
    void Planen() {
        haupt.StundenplanClick();
        ui::TPlanForm& plan = haupt.PlanForm();
        plan.SetSeed(11);
        Find<QLineEdit>(plan, "AnzahlVersucheE")->setText("300");
        Find<QPushButton>(plan, "StartBtn")->click();
        EXPECT_EQ(P().PlacedCount(), static_cast<int>(P().StundenL.size()));
    }
    TVertretungenForm& F() { return haupt.VertretungenForm(); }
    CPlan& P() { return *haupt.Sitzung().Plan(); }
    QTableWidget* G() { return Find<QTableWidget>(F(), "VertretungG"); }
    QListWidget* Lehrer() { return Find<QListWidget>(F(), "LehrerCBox"); }
    QPushButton* Button(const char* name) { return Find<QPushButton>(F(), name); }
    void Abwesend(int lehrer, bool an = true) {
        Lehrer()->item(lehrer)->setCheckState(an ? Qt::Checked : Qt::Unchecked);
    }
    QString Zelle(int zeile, int spalte) {
        const QTableWidgetItem* i = G()->item(zeile - 1, spalte);
        return i ? i->text() : QString();
    }
    // The slots of the day at which teacher t teaches, read from the plan's grid.
    std::vector<int> StundenVon(int t, int tag) {
        std::vector<int> zeiten;
        for (int h = 0; h <= P().Stunden; ++h)
            for (int r = 0; r < P().RaumAnzahl; ++r)
                if (P().At(r, SlotOf(tag, h)).Lehrer == t) {
                    zeiten.push_back(SlotOf(tag, h));
                    break;
                }
        return zeiten;
    }
    // The first pair of teachers sharing an hour, searched from the last day backwards, so that
    // a window that always lists the first day fails.
    Paar ZweiZurSelbenStunde() {
        for (int d = P().Tage - 1; d >= 1; --d)
            for (int a = 0; a < P().LehrerAnzahl; ++a)
                for (int b = a + 1; b < P().LehrerAnzahl; ++b)
                    for (int s : StundenVon(a, d))
                        for (int t : StundenVon(b, d))
                            if (s == t) return {a, b, d, s};
        ADD_FAILURE() << "no two teachers share an hour";
        return {};
    }
    // Marks the pair absent, selects its day and determines the lessons.
    Paar Ermitteln() {
        const Paar p = ZweiZurSelbenStunde();
        Abwesend(p.A);
        Abwesend(p.B);
        Find<QComboBox>(F(), "TagCoBox")->setCurrentIndex(p.Tag);
        Button("StundenErmittelnBtn")->click();
        return p;
    }
    // The list rows (core numbering) whose lesson stands at `slot`.
    std::vector<int> ZeilenZu(int slot) {
        std::vector<int> z;
        for (int i = 1; i < F().Liste().Anzahl(); ++i)
            if (F().Liste().HatStunde(i) && F().Liste().Zeilen()[i].Marke.Slot == slot)
                z.push_back(i);
        return z;
    }
    // The chooser answers by selecting `zeile` and pressing "Auswählen" (or "Abbrechen" when
    // `zeile` is -1); what it showed is kept.
    void WahlSkript(int zeile) {
        desktop.dialogs.Answer<TVertretungsWahlForm>([this, zeile](TVertretungsWahlForm& w) {
            w.setResult(QDialog::Rejected);
            gezeigt.clear();
            for (const char* l : {"FachL", "LehrerL", "KlasseL", "ZeitL"})
                gezeigt.push_back(Find<QLabel>(w, l)->text());
            auto* g = Find<QTableWidget>(w, "VertretungG");
            wahlZeilen = g->rowCount();
            if (zeile < 0) {
                Find<QPushButton>(w, "Button2")->click();
            } else {
                g->selectRow(zeile);
                gewaehlt.clear();
                for (int c = 0; c < g->columnCount(); ++c)
                    gewaehlt.push_back(g->item(zeile, c)->text());
                Find<QPushButton>(w, "AuswahlBtn")->click();
            }
            return w.result() == QDialog::Accepted;
        });
    }
    void Waehlen(int zeile) {
        F().ZeileWaehlen(zeile);
        Button("VertretungsWahlBtn")->click();
    }

    TempDir dir;
    AnswerReporter rep;
    AnswerDesktop desktop;
    ui::THauptForm haupt;
    QStringList gezeigt, gewaehlt;
    int wahlZeilen = 0;
};

TEST_F(SubstitutionWindow, ControlsAndCaptions) {
    ASSERT_TRUE(F().isVisible());
    EXPECT_EQ(F().windowTitle(), "Vertretungen");
    EXPECT_EQ(Button("StundenErmittelnBtn")->text(), "Stunden ermitteln");
    EXPECT_EQ(Button("VertretungsWahlBtn")->text(), "Vertretungs-Lehrer wählen");
    EXPECT_EQ(Button("AusfallBtn")->text(), "Ausfall");
    EXPECT_EQ(Button("LoeschenBtn")->text(), "Vertretungs-Lehrer löschen");
    EXPECT_EQ(Button("Button2")->text(), "Ausgabe");
    EXPECT_EQ(Button("SchnappschussBtn")->text(), "Schnappschuß");
    EXPECT_EQ(Button("Button1")->text(), "Schließen");
    EXPECT_EQ(Find<QGroupBox>(F(), "AusgabeAnRG")->title(), "Ausgabe an");
    EXPECT_EQ(Find<QRadioButton>(F(), "WordRB")->text(), "Word");
    EXPECT_EQ(Find<QRadioButton>(F(), "DruckerRB")->text(), "Drucker");
    EXPECT_TRUE(Find<QRadioButton>(F(), "WordRB")->isChecked());
    // The two lists carry their labels.
    QStringList titel;
    for (const QLabel* l : F().findChildren<QLabel*>())
        if (l->buddy() == Lehrer() || l->buddy() == Find<QComboBox>(F(), "TagCoBox"))
            titel << l->text();
    EXPECT_EQ(titel, (QStringList{"Nicht verfügbare Lehrer", "Tag"}));
    ASSERT_EQ(G()->columnCount(), 4);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(G()->horizontalHeaderItem(c)->text(),
                  (QStringList{"Stunde", "Lehrer", "Fach", "Konflikt"})[c]);
    // Every teacher of the plan in plan order, nobody absent; the days, the first selected; one
    // empty row.
    ASSERT_EQ(Lehrer()->count(), P().LehrerAnzahl);
    for (int i = 0; i < P().LehrerAnzahl; ++i) {
        EXPECT_EQ(Lehrer()->item(i)->text().toStdString(), P().LehrerAt(i).Name);
        EXPECT_EQ(Lehrer()->item(i)->checkState(), Qt::Unchecked);
    }
    auto* tag = Find<QComboBox>(F(), "TagCoBox");
    ASSERT_EQ(tag->count(), P().Tage);
    EXPECT_EQ(tag->currentIndex(), 0);
    EXPECT_EQ(tag->itemText(1).toStdString(), P().Stamm().Angaben.TagNamen[1]);
    EXPECT_EQ(G()->rowCount(), 1);
    EXPECT_EQ(Zelle(1, 0), "");

    TVertretungsWahlForm& w = F().WahlForm();
    EXPECT_EQ(w.windowTitle(), "Vertretung für");
    EXPECT_TRUE(w.isModal());
    for (const auto& [name, text] : {std::pair{"FachTitelL", "Fach:"},
                                     {"LehrerTitelL", "Lehrer:"},
                                     {"KlasseTitelL", "Klasse:"},
                                     {"ZeitTitelL", "Zeit:"}})
        EXPECT_EQ(Find<QLabel>(w, name)->text(), text);
    EXPECT_EQ(Find<QPushButton>(w, "AuswahlBtn")->text(), "Auswählen");
    EXPECT_TRUE(Find<QPushButton>(w, "AuswahlBtn")->isDefault());
    EXPECT_EQ(Find<QPushButton>(w, "Button2")->text(), "Abbrechen");
    EXPECT_EQ(Find<QPushButton>(w, "SchnappschussBtn")->text(), "Schnappschuß");
    auto* wg = Find<QTableWidget>(w, "VertretungG");
    ASSERT_EQ(wg->columnCount(), 3);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(wg->horizontalHeaderItem(c)->text(),
                  (QStringList{"Lehrer", "Fach", "Konflikt"})[c]);
}

TEST_F(SubstitutionWindow, TickingSetsTheFlagAndClearsTheList) {
    const Paar p = Ermitteln();
    ASSERT_GT(F().Liste().Stunden(), 0);
    const Stammdaten& s = haupt.Sitzung().Stamm();
    EXPECT_EQ(s.Lehrer[p.A].NichtVerfuegbar, 1);
    EXPECT_EQ(s.Lehrer[p.B].NichtVerfuegbar, 1);
    Abwesend(p.B, false);
    EXPECT_EQ(s.Lehrer[p.B].NichtVerfuegbar, 0);
    EXPECT_EQ(F().Liste().Stunden(), 0);
    EXPECT_EQ(G()->rowCount(), 1);
    EXPECT_EQ(Zelle(1, 0), "");
    // Another day clears it too.
    Button("StundenErmittelnBtn")->click();
    ASSERT_GT(F().Liste().Stunden(), 0);
    EXPECT_FALSE(Zelle(1, 0).isEmpty());
    Find<QComboBox>(F(), "TagCoBox")->setCurrentIndex(0);
    EXPECT_EQ(F().Liste().Stunden(), 0);
    EXPECT_EQ(G()->rowCount(), 1);

    // Closing empties the list; the flags stay with the teachers and the window shows them when
    // it opens again (the same window, in its kept place).
    Button("StundenErmittelnBtn")->click();
    Button("Button1")->click();
    EXPECT_FALSE(F().isVisible());
    EXPECT_EQ(F().Liste().Stunden(), 0);
    TVertretungenForm* vorher = &F();
    F().move(140, 150);
    haupt.Befehl("Vertretungen")->trigger();
    EXPECT_EQ(&F(), vorher);
    EXPECT_TRUE(F().isVisible());
    EXPECT_EQ(haupt.OptionenForm().Position("Vertretungen"), QPoint(140, 150));
    EXPECT_EQ(Lehrer()->item(p.A)->checkState(), Qt::Checked);
    EXPECT_EQ(Lehrer()->item(p.B)->checkState(), Qt::Unchecked);
    EXPECT_EQ(G()->rowCount(), 1);
}

TEST_F(SubstitutionWindow, DeterminedLessonsOfTwoAbsentTeachers) {
    const Paar p = Ermitteln();
    const std::vector<int> a = StundenVon(p.A, p.Tag), b = StundenVon(p.B, p.Tag);
    const int n = static_cast<int>(a.size() + b.size());
    ASSERT_GE(n, 2);
    // One row per lesson: the first teacher's by hour, then the second's.
    ASSERT_EQ(G()->rowCount(), n);
    ASSERT_EQ(F().Liste().Anzahl(), n + 1);
    for (int i = 1; i <= n; ++i) {
        const VertretungsZeile& z = F().Liste().Zeilen()[i];
        const int t = i <= static_cast<int>(a.size()) ? p.A : p.B;
        const int slot = t == p.A ? a[i - 1] : b[i - 1 - a.size()];
        EXPECT_EQ(z.Marke.Slot, slot) << i;
        EXPECT_TRUE(Zelle(i, 0).startsWith(QString("%1.   ").arg(HourOf(slot)))) << i;
        EXPECT_TRUE(Zelle(i, 0).endsWith("  " + QString::fromStdString(P().LehrerAt(t).Name)));
        EXPECT_EQ(Zelle(i, 0).toStdString(), z.Spalten[0]);
        for (int c = 1; c < 4; ++c)
            EXPECT_EQ(Zelle(i, c), "");
    }
}

TEST_F(SubstitutionWindow, ChoosingCancellingAndTakingBack) {
    const Paar p = Ermitteln();
    const int y = 2;
    ASSERT_TRUE(F().Liste().HatStunde(y));
    const WahlListe wahl = WahlFuer(P(), F().Liste().Zeilen()[y]);
    ASSERT_GE(wahl.Zeilen.size(), 2u);

    // Cancelled: nothing changes.
    WahlSkript(-1);
    Waehlen(y);
    EXPECT_EQ(Zelle(y, 1), "");
    // The chooser showed the lesson and one row per present teacher.
    EXPECT_EQ(gezeigt.value(1).toStdString(),
              P().LehrerAt(F().Liste().Zeilen()[y].Stunde->Lehrer).Name);
    EXPECT_EQ(gezeigt.value(0).toStdString(), wahl.Fach);
    EXPECT_EQ(gezeigt.value(2).toStdString(), wahl.Klasse);
    EXPECT_TRUE(
        gezeigt.value(3).startsWith(QString::fromStdString(P().Stamm().Angaben.TagNamen[p.Tag])));
    EXPECT_EQ(wahlZeilen, P().LehrerAnzahl - 2);

    WahlSkript(1);
    Waehlen(y);
    ASSERT_EQ(gewaehlt.size(), 3);
    for (int c = 1; c < 4; ++c)
        EXPECT_EQ(Zelle(y, c), gewaehlt[c - 1]) << c;
    EXPECT_EQ(Zelle(y, 1).toStdString(), wahl.Zeilen[1].Spalten[0]);
    EXPECT_EQ(F().Liste().Zeilen()[y].Spalten[1], wahl.Zeilen[1].Spalten[0]);
    EXPECT_EQ(G()->currentRow(), y - 1);

    Button("AusfallBtn")->click();
    EXPECT_EQ(Zelle(y, 1), "AUSFALL");
    EXPECT_EQ(Zelle(y, 2), "");
    EXPECT_EQ(Zelle(y, 3), "");
    Button("LoeschenBtn")->click();
    for (int c = 1; c < 4; ++c)
        EXPECT_EQ(Zelle(y, c), "");
    EXPECT_EQ(F().Liste().Zeilen()[y].Spalten[1], "");
    // The other rows were never touched.
    EXPECT_EQ(Zelle(1, 1), "");
    EXPECT_TRUE(rep.asked.empty());
}

TEST_F(SubstitutionWindow, WithoutLessonsTheCommandsDoNothing) {
    bool gefragt = false;
    desktop.dialogs.Answer<TVertretungsWahlForm>(
        [&](TVertretungsWahlForm&) { return gefragt = true; });
    Button("StundenErmittelnBtn")->click(); // nobody absent
    EXPECT_EQ(G()->rowCount(), 1);
    Button("VertretungsWahlBtn")->click();
    Button("AusfallBtn")->click();
    EXPECT_FALSE(gefragt);
    EXPECT_EQ(Zelle(1, 1), "");
    EXPECT_TRUE(rep.shown.empty());
}

TEST_F(SubstitutionWindow, TheChooserRunsModallyAndTakesADoubleClick) {
    const Paar p = Ermitteln();
    const std::vector<int> gleich = ZeilenZu(p.Slot);
    ASSERT_EQ(gleich.size(), 2u);
    // The chooser runs as the real desktop runs it.
    desktop.dialogs.Answer<TVertretungsWahlForm>(
        [](TVertretungsWahlForm& w) { return w.exec() == QDialog::Accepted; });
    bool modal = false;
    QString zeit;
    QTimer::singleShot(50, &F(), [&] {
        auto* w = qobject_cast<TVertretungsWahlForm*>(QApplication::activeModalWidget());
        modal = w != nullptr;
        if (!w) return;
        zeit = Find<QLabel>(*w, "ZeitL")->text();
        auto* g = Find<QTableWidget>(*w, "VertretungG");
        const QRect r = g->visualItemRect(g->item(2, 0));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, r.center());
        if (w->isVisible()) w->reject();
    });
    // A double click on the list opens the chooser as the button does (QTest's double click
    // needs the click before it, as a real one has).
    const QRect r = G()->visualItemRect(G()->item(gleich[0] - 1, 0));
    QTest::mouseClick(G()->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(G()->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_TRUE(modal);
    EXPECT_EQ(zeit.toStdString(), P().Stamm().Angaben.TagNamen[p.Tag] + "  " +
                                      std::to_string(HourOf(p.Slot)) + ". Stunde");
    const WahlListe wahl = WahlFuer(P(), F().Liste().Zeilen()[gleich[0]]);
    EXPECT_EQ(Zelle(gleich[0], 1).toStdString(), wahl.Zeilen[2].Spalten[0]);
}

TEST_F(SubstitutionWindow, SameTeacherTwiceAtOneHourIsAsked) {
    const Paar p = Ermitteln();
    const std::vector<int> gleich = ZeilenZu(p.Slot);
    ASSERT_EQ(gleich.size(), 2u);
    WahlSkript(0);
    Waehlen(gleich[0]);
    const QString name = Zelle(gleich[0], 1);
    ASSERT_FALSE(name.isEmpty());
    EXPECT_TRUE(rep.asked.empty());

    // The same teacher for the other lesson of that hour: asked; No leaves the row as it was.
    rep.answer = false;
    Waehlen(gleich[1]);
    ASSERT_EQ(rep.asked.size(), 1u);
    EXPECT_EQ(
        rep.asked[0],
        (Message{"Lehrer " + name.toStdString() + " ist in der " + std::to_string(HourOf(p.Slot)) +
                     ". Stunde bereits vergeben\nSoll diesem Lehrer trotzdem diese "
                     "Vertretungs-Stunde zugewiesen werden?",
                 ""}));
    EXPECT_EQ(Zelle(gleich[1], 1), "");
    rep.answer = true;
    Waehlen(gleich[1]);
    EXPECT_EQ(Zelle(gleich[1], 1), name);

    // At another hour the same teacher is not asked about.
    int andere = 1;
    while (F().Liste().Zeilen()[andere].Marke.Slot == p.Slot)
        ++andere;
    ASSERT_TRUE(F().Liste().HatStunde(andere));
    rep.asked.clear();
    Waehlen(andere);
    EXPECT_TRUE(rep.asked.empty());
}

// The question stands over the substitution window, not over the main window.
TEST_F(SubstitutionWindow, TheQuestionAppearsOverTheWindow) {
    ui::QtReporter qt(&haupt);
    TVertretungenForm eigen(qt, desktop, &haupt);
    eigen.Fuellen(P(), haupt.Sitzung().Stamm());
    eigen.show();
    eigen.activateWindow();
    Serve(30);
    const Paar p = ZweiZurSelbenStunde();
    for (int t : {p.A, p.B})
        Find<QListWidget>(eigen, "LehrerCBox")->item(t)->setCheckState(Qt::Checked);
    Find<QComboBox>(eigen, "TagCoBox")->setCurrentIndex(p.Tag);
    eigen.StundenErmittelnBtnClick();
    desktop.dialogs.Answer<TVertretungsWahlForm>([](TVertretungsWahlForm& w) {
        w.setResult(QDialog::Accepted);
        return true;
    });
    std::vector<int> gleich;
    for (int i = 1; i < eigen.Liste().Anzahl(); ++i)
        if (eigen.Liste().Zeilen()[i].Marke.Slot == p.Slot) gleich.push_back(i);
    ASSERT_EQ(gleich.size(), 2u);
    eigen.ZeileWaehlen(gleich[0]);
    eigen.VertretungsWahlBtnClick();
    QWidget* ueber = nullptr;
    QString text;
    QTimer::singleShot(50, &eigen, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        ueber = box->parentWidget();
        text = box->text();
        box->button(QMessageBox::No)->click();
    });
    eigen.ZeileWaehlen(gleich[1]);
    eigen.VertretungsWahlBtnClick();
    EXPECT_EQ(ueber, &eigen);
    EXPECT_TRUE(text.contains("bereits vergeben"));
    EXPECT_EQ(eigen.Liste().Zeilen()[gleich[1]].Spalten[1], "");
    eigen.PlanWeg();
}

// "Datum" starts on the next date of the chosen day and follows "Tag"; a date of another school
// day moves "Tag" there, a date the plan has no lessons on is refused.
TEST_F(SubstitutionWindow, TheDateFollowsTheDayAndPicksIt) {
    F().Fuellen(P(), haupt.Sitzung().Stamm());
    auto* tag = Find<QComboBox>(F(), "TagCoBox");
    auto* datum = Find<QDateEdit>(F(), "DatumE");
    EXPECT_EQ(F().Blattdatum(), (Datum{2026, 12, 14})); // Monday after Wednesday the 9th
    EXPECT_EQ(datum->date(), QDate(2026, 12, 14));
    tag->setCurrentIndex(3);
    EXPECT_EQ(F().Blattdatum(), (Datum{2026, 12, 10}));
    Abwesend(0);
    Button("StundenErmittelnBtn")->click();
    F().DatumWaehlen({2026, 12, 15});
    EXPECT_EQ(tag->currentIndex(), 1);
    EXPECT_EQ(F().Blattdatum(), (Datum{2026, 12, 15}));
    EXPECT_EQ(F().Liste().Stunden(), 0) << "another day empties the list";
    rep.shown.clear();
    F().DatumWaehlen({2026, 12, 19});
    EXPECT_EQ(rep.shown, (std::vector<Message>{{"Samstag, 19. Dezember 2026 ist kein Schultag "
                                                "dieses Plans (Montag bis Freitag).",
                                                "Fehler"}}));
    EXPECT_EQ(F().Blattdatum(), (Datum{2026, 12, 15}));
    EXPECT_EQ(datum->date(), QDate(2026, 12, 15));
    EXPECT_EQ(tag->currentIndex(), 1);
}

TEST_F(SubstitutionWindow, SheetToWordIsWrittenAndReadBack) {
    const Paar p = Ermitteln();
    WahlSkript(0);
    Waehlen(1);
    const QString vertretung = Zelle(1, 1);
    F().ZeileWaehlen(2);
    Button("AusfallBtn")->click();
    const std::string ziel = dir.File("vertretung.docx");
    int gefragt = 0;
    desktop.file = [&](const ui::DateiDialog&) {
        ++gefragt;
        return QString::fromStdString(ziel);
    };
    Button("Button2")->click();
    EXPECT_EQ(gefragt, 1);
    // No program could show it: the user learns where it is.
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0],
              (Message{"Der Vertretungsplan wurde gespeichert unter „" + ziel +
                           "“; es konnte kein Programm zum Anzeigen gestartet werden.",
                       "Hinweis"}));

    const ReadDocx doc = ReadDocxFile(ziel);
    ASSERT_TRUE(doc.Opened);
    EXPECT_TRUE(doc.XmlErrors.empty());
    std::vector<std::string> absaetze;
    for (const ReadParagraph& a : doc.Paragraphs())
        if (!a.Text.empty()) absaetze.push_back(a.Text);
    ASSERT_GE(absaetze.size(), 4u);
    // The sheet is dated on the chosen day, not today (Wednesday 9 December 2026).
    EXPECT_EQ(absaetze[0],
              "Vertretungsplan " + DatumText(NaechsterWochentag({2026, 12, 9}, p.Tag)));
    EXPECT_EQ(absaetze[1], "Fehlende Lehrer:");
    EXPECT_EQ(absaetze[2], P().LehrerAt(p.A).Name);
    EXPECT_EQ(absaetze[3], P().LehrerAt(p.B).Name);
    const std::vector<ReadTable> tabellen = doc.Tables();
    ASSERT_EQ(tabellen.size(), 1u);
    const ReadTable& t = tabellen[0];
    ASSERT_EQ(static_cast<int>(t.Rows()), F().Liste().Stunden() + 1);
    EXPECT_EQ(t.At(1, 1), "Stunde");
    EXPECT_EQ(t.At(1, 2), "Vertretung");
    // The rows of the list stand in the table with their choices.
    std::map<std::string, std::string> zeilen;
    for (int r = 2; r <= static_cast<int>(t.Rows()); ++r)
        zeilen[t.At(r, 1)] = t.At(r, 2);
    EXPECT_EQ(zeilen[Zelle(1, 0).toStdString()], vertretung.toStdString());
    EXPECT_EQ(zeilen[Zelle(2, 0).toStdString()], "AUSFALL");
    EXPECT_EQ(zeilen[Zelle(3, 0).toStdString()], " ");

    // A program that shows it: no note. Cancelling the file choice writes nothing.
    desktop.open = [](const QString&) { return true; };
    desktop.opened.clear();
    rep.shown.clear();
    Button("Button2")->click();
    EXPECT_EQ(desktop.opened, std::vector<QString>{QString::fromStdString(ziel)});
    EXPECT_TRUE(rep.shown.empty());
    desktop.file = [](const ui::DateiDialog&) { return QString(); };
    desktop.opened.clear();
    Button("Button2")->click();
    EXPECT_TRUE(desktop.opened.empty());
    EXPECT_TRUE(rep.shown.empty());
}

TEST_F(SubstitutionWindow, UnwritableTargetIsReportedWithoutSuccessNote) {
    Ermitteln();
    desktop.file = [this](const ui::DateiDialog&) {
        return QString::fromStdString(dir.File("fehlt") + "/vertretung.docx");
    };
    Button("Button2")->click();
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0].Title, "Fehler");
    EXPECT_EQ(rep.shown[0].Text, "Fehler bei Ausgabe an Word:\nDie Datei " + dir.File("fehlt") +
                                     "/vertretung.docx kann nicht geschrieben werden.\nDer "
                                     "Ordner „" +
                                     dir.File("fehlt") + "“ existiert nicht.");
}

// "Webseite": the sheet becomes the date's page of the plan's web site in the chosen folder.
TEST_F(SubstitutionWindow, SheetToTheWebSite) {
    Ermitteln();
    Find<QRadioButton>(F(), "WebseiteRB")->setChecked(true);
    const std::string ordner = dir.File("web");
    // A site published before with a calendar: the calendar stays.
    const std::vector<WebDatei> kalender = {{"klasse-5a.ics", "BEGIN:VCALENDAR"}};
    ASSERT_TRUE(Veroeffentliche(P(), WebseitenOptionen::Alle(P()), ordner, kalender, rep).Ok);
    desktop.file = [&](const ui::DateiDialog& d) {
        EXPECT_TRUE(d.NurOrdner);
        return QString::fromStdString(ordner);
    };
    Button("Button2")->click();
    const std::string name = "vertretung-" + F().Blattdatum().Text() + ".html";
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0].Text, "Der Vertretungsplan steht als „" + name +
                                     "“ in der Webseite im Ordner „" + ordner + "“.");
    EXPECT_TRUE(std::filesystem::exists(ordner + "/" + name));
    EXPECT_NE(test::ReadFileBytes(ordner + "/index.html").find(name), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(ordner + "/klasse-5a.ics"));
}

TEST_F(SubstitutionWindow, PrinterPrintsTheSameSheet) {
    const Paar p = Ermitteln();
    WahlSkript(0);
    Waehlen(1);
    Find<QRadioButton>(F(), "DruckerRB")->setChecked(true);
    QString gedruckt;
    PageOrientation seite = PageOrientation::Landscape;
    int drucke = 0;
    desktop.file = [](const ui::DateiDialog&) {
        ADD_FAILURE() << "the printer needs no file";
        return QString();
    };
    desktop.print = [&](QTextDocument& doc, PageOrientation o) {
        ++drucke;
        // The printed blanks are kept as non-breaking ones.
        gedruckt = doc.toPlainText().replace(QChar(0xA0), ' ');
        seite = o;
        return QString::fromUtf8("an den Drucker „Büro“ gegeben");
    };
    Button("Button2")->click();
    ASSERT_EQ(drucke, 1);
    EXPECT_EQ(seite, PageOrientation::Portrait);
    EXPECT_TRUE(gedruckt.startsWith(
        "Vertretungsplan " +
        QString::fromStdString(DatumText(NaechsterWochentag({2026, 12, 9}, p.Tag)))));
    EXPECT_TRUE(gedruckt.contains("Fehlende Lehrer:"));
    EXPECT_TRUE(gedruckt.contains(QString::fromStdString(P().LehrerAt(p.B).Name)));
    EXPECT_TRUE(gedruckt.contains(Zelle(1, 0)));
    EXPECT_TRUE(gedruckt.contains(Zelle(1, 1)));
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0],
              (Message{"Der Vertretungsplan wurde an den Drucker „Büro“ gegeben.", "Hinweis"}));
    // Cancelled in the print dialog: no note.
    desktop.print = [](QTextDocument&, PageOrientation) { return QString(); };
    rep.shown.clear();
    Button("Button2")->click();
    EXPECT_TRUE(rep.shown.empty());
}

// "Schnappschuß" opens the planning window's grid with its history; its figures follow.
TEST_F(SubstitutionWindow, SnapshotFromBothWindowsUsesThePlanningWindowsGrid) {
    ui::TPlanForm& plan = haupt.PlanForm();
    ui::TPlanBSForm& bs = plan.GitterForm();
    ASSERT_EQ(plan.Verlauf().Size(), 0u);
    Find<QLabel>(plan, "KLSSumL")->setText("alt");
    bool offen = false;
    QTimer::singleShot(50, &F(), [&] {
        offen = bs.isVisible() && bs.isModal();
        // A lock at an empty cell of the shown class: an edit the history keeps.
        PlanEditor& e = *bs.Editor();
        for (int s = 0; s < kSlotCount; ++s)
            if (RowOfSlot(P(), s) >= 1 && !LessonAt(P(), e.View(), e.Shown(), s)) {
                e.SelectCell(DayOf(s), HourOf(s));
                e.Lock();
                break;
            }
        bs.accept();
    });
    Button("SchnappschussBtn")->click();
    EXPECT_TRUE(offen);
    EXPECT_EQ(plan.Verlauf().Size(), 1u);
    EXPECT_EQ(Find<QLabel>(plan, "KLSSumL")->text().toStdString(), ShowFigures(P()).KLSSumme);

    // From the chooser, which stays open under the grid.
    Ermitteln();
    offen = false;
    bool wahlOffen = false;
    desktop.dialogs.Answer<TVertretungsWahlForm>([&](TVertretungsWahlForm& w) {
        QTimer::singleShot(50, &w, [&] {
            QTimer::singleShot(50, &bs, [&] {
                offen = bs.isVisible() && QApplication::activeModalWidget() == &bs;
                wahlOffen = w.isVisible();
                bs.accept();
            });
            Find<QPushButton>(w, "SchnappschussBtn")->click();
            w.reject();
        });
        return w.exec() == QDialog::Accepted;
    });
    Find<QLabel>(plan, "KLSSumL")->setText("alt");
    Waehlen(1);
    EXPECT_TRUE(offen);
    EXPECT_TRUE(wahlOffen);
    EXPECT_EQ(Find<QLabel>(plan, "KLSSumL")->text().toStdString(), ShowFigures(P()).KLSSumme);
    EXPECT_EQ(Zelle(1, 1), "");
}

TEST_F(SubstitutionWindow, NewAndClosingThePlanCloseTheWindow) {
    Ermitteln();
    ASSERT_TRUE(F().isVisible());
    // Closing the planning window discards the plan: the window goes with it.
    rep.answer = true;
    ASSERT_TRUE(haupt.PlanForm().Schliessen());
    EXPECT_FALSE(F().isVisible());
    EXPECT_EQ(F().Liste().Stunden(), 0);
    EXPECT_EQ(Lehrer()->count(), 0);
    haupt.VertretungenClick();
    EXPECT_FALSE(F().isVisible());
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Kein Plan vorhanden!", "Fehler"}));

    // A new plan, the window again, then "Neu".
    Planen();
    haupt.VertretungenClick();
    ASSERT_TRUE(F().isVisible());
    Ermitteln();
    QTimer::singleShot(50, &haupt, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
    });
    haupt.NeuClick();
    EXPECT_FALSE(F().isVisible());
    EXPECT_EQ(F().Liste().Stunden(), 0);
    EXPECT_TRUE(haupt.Sitzung().Stamm().Lehrer.empty());
}

TEST_F(SubstitutionWindow, OpeningASchoolClosesTheWindow) {
    Ermitteln();
    rep.answer = true;
    haupt.OeffnenClick();
    EXPECT_FALSE(F().isVisible());
    EXPECT_EQ(F().Liste().Stunden(), 0);
    EXPECT_FALSE(haupt.Sitzung().HasPlan());
}

// The printed sheet looks as the written one: its runs of blanks and empty lines stay, and the
// lesson column is plain text unless the table's look sets the first column apart.
// A click on a column's heading sorts the chooser by it (again: the other way round) in a German
// reader's order; the row chosen is still the teacher picked, and the order holds for the next
// lesson.
TEST(SubstituteChooser, SortsByAClickedColumnAndKeepsTheChoice) {
    WahlListe wahl;
    for (const char* name : {"Schulz", "Ärmel", "Becker"}) {
        wahl.Zeilen.emplace_back();
        wahl.Zeilen.back().Spalten = {name, "", name[0] == 'B' ? "SPERRUNG" : ""};
    }
    ui::TVertretungsWahlForm w;
    w.Fuellen(wahl);
    auto* g = Find<QTableWidget>(w, "VertretungG");
    const auto erste = [g](int c) { return g->item(0, c)->text(); };
    QTest::mouseClick(g->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(erste(0), QString::fromUtf8("Ärmel"));
    EXPECT_EQ(g->item(2, 0)->text(), "Schulz");
    g->selectRow(2);
    EXPECT_EQ(w.GewaehlteZeile(), 0);
    w.Sortieren(0);
    EXPECT_EQ(erste(0), "Schulz");
    w.Sortieren(2);
    w.Fuellen(wahl);
    EXPECT_EQ(g->item(2, 2)->text(), "SPERRUNG");
}

TEST(PrintLayout, BlanksEmptyLinesAndTheFirstColumnFollowTheDocument) {
    Document doc;
    doc.Body.push_back(Paragraph{"1.   5a  Deutsch"});
    doc.Body.push_back(Paragraph{});
    Table t(2, 2);
    t.Format.Format = kVertretungsLayout;
    t.Cell(1, 1) = "Stunde";
    t.Cell(2, 1) = "2.   8c";
    doc.Body.push_back(t);
    QString html = ui::DokumentAlsHtml(doc);
    EXPECT_TRUE(html.contains("1. &nbsp; 5a &nbsp;Deutsch")) << html.toStdString();
    EXPECT_TRUE(html.contains(">&nbsp;</p>"));
    EXPECT_TRUE(html.contains("<th>Stunde</th>"));
    EXPECT_TRUE(html.contains("<td>2. &nbsp; 8c</td>"));
    QTextDocument gesetzt;
    gesetzt.setHtml(html);
    EXPECT_TRUE(gesetzt.toPlainText().replace(QChar(0xA0), ' ').contains("1.   5a  Deutsch"));

    // "Standard 3" emphasises the first column: there it stays a heading.
    std::get<Table>(doc.Body.back()).Format.Format = 6;
    html = ui::DokumentAlsHtml(doc);
    EXPECT_TRUE(html.contains("<th>2. &nbsp; 8c</th>"));
}

// With the journal the ticked teachers are recorded absent on the date, the chooser ranks the
// candidates with a column per criterion, every choice is saved at once and shows again when the
// date is opened anew; a date in the holidays is refused.
TEST_F(SubstitutionWindow, WithTheJournalDecisionsAreKeptAndCandidatesRanked) {
    const std::string pfad = dir.File("gymnasium.vtr");
    F().Fuellen(P(), haupt.Sitzung().Stamm(), pfad);
    ASSERT_TRUE(F().Journal() && F().Journal()->Bearbeitbar());
    const Paar p = Ermitteln();
    EXPECT_EQ(F().Journal()->Daten().Abwesenheiten().size(), 2u);
    WahlSkript(0);
    Waehlen(1);
    ASSERT_EQ(gewaehlt.size(), 8); // Lehrer, Fach, Konflikt and the five criteria
    EXPECT_EQ(gewaehlt[3], "ja");  // the first candidate is free
    const QString vertreter = Zelle(1, 1);
    EXPECT_EQ(vertreter, gewaehlt[0]);
    F().ZeileWaehlen(2);
    Button("AusfallBtn")->click();
    F().close();
    EXPECT_EQ(F().Journal(), nullptr); // the lock went with the window
    const JournalLesen gelesen = LiesJournal(ReadFileBytes(pfad));
    ASSERT_TRUE(gelesen.Daten) << gelesen.Grund;
    EXPECT_EQ(gelesen.Daten->Entscheidungen().size(), 2u);

    F().Fuellen(P(), haupt.Sitzung().Stamm(), pfad);
    Find<QComboBox>(F(), "TagCoBox")->setCurrentIndex(p.Tag);
    Button("StundenErmittelnBtn")->click();
    EXPECT_EQ(Zelle(1, 1), vertreter);
    EXPECT_EQ(Zelle(2, 1), "AUSFALL");

    // A class away for the week, entered in "Abwesenheiten" with a reason of the school's own:
    // its lessons fall out on the date.
    desktop.dialogs.Answer<ui::TAbwesenheitenForm>([](ui::TAbwesenheitenForm& d) {
        Find<QComboBox>(d, "ArtCoBox")->setCurrentIndex(1);
        Find<QDateEdit>(d, "BisE")->setDate(Find<QDateEdit>(d, "VonE")->date().addDays(4));
        Find<QComboBox>(d, "GrundCoBox")->setEditText("Praktikum");
        Find<QPushButton>(d, "HinzufuegenBtn")->click();
        return true;
    });
    Button("AbwesenheitenBtn")->click();
    const Journal& j = F().Journal()->Daten();
    ASSERT_EQ(j.Abwesenheiten().size(), 3u);
    EXPECT_EQ(j.Abwesenheiten().back().Art, AbwesenheitsArt::Klasse);
    EXPECT_EQ(j.Gruende.back(), "Praktikum");
    EXPECT_EQ(F().Liste().Stunden(), 0) << "the list is determined anew";
    Button("StundenErmittelnBtn")->click();
    int entfallen = 0;
    for (int i = 1; i < F().Liste().Anzahl(); ++i)
        entfallen += Zelle(i, 1) == "entfällt";
    EXPECT_GT(entfallen, 0);

    haupt.Sitzung().Stamm().Angaben.Schuljahr = {
        {2026, 9, 7}, {2027, 7, 16}, {{{2026, 12, 21}, {2027, 1, 6}, "Weihnachtsferien"}}};
    rep.shown.clear();
    F().DatumWaehlen({2026, 12, 22});
    EXPECT_EQ(rep.shown, (std::vector<Message>{{"Dienstag, 22. Dezember 2026 liegt in den Ferien "
                                                "(Weihnachtsferien).",
                                                "Fehler"}}));
    // Unticking takes back the day the tick recorded.
    Abwesend(p.A, false);
    EXPECT_EQ(F().Journal()->Daten().Abwesenheiten().size(), 2u);
    EXPECT_EQ(LiesJournal(ReadFileBytes(pfad)).Daten->Abwesenheiten().size(), 2u);
}

// A journal another program holds opens read-only: the window says who holds it and decides
// nothing.
TEST_F(SubstitutionWindow, AJournalHeldElsewhereIsOnlyRead) {
    const std::string pfad = dir.File("gymnasium.vtr");
    JournalDatei andere(DefaultFileOps(), pfad);
    ASSERT_EQ(andere.Oeffnen(rep), JournalZustand::Bearbeitbar);
    rep.shown.clear();
    F().Fuellen(P(), haupt.Sitzung().Stamm(), pfad);
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_NE(rep.shown[0].Text.find(" bearbeitet. Es wird nur zum Lesen geöffnet."),
              std::string::npos);
    EXPECT_TRUE(Find<QLabel>(F(), "JournalL")->text().endsWith("(nur lesen)"));
    Ermitteln();
    rep.shown.clear();
    F().ZeileWaehlen(1);
    Button("AusfallBtn")->click();
    EXPECT_EQ(Zelle(1, 1), "");
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0].Text, "Das Vertretungsjournal " + pfad +
                                     " ist nur zum Lesen geöffnet; es wird nichts entschieden.");
    EXPECT_FALSE(DefaultFileOps().Exists(pfad));
}

} // namespace
} // namespace sw::test
