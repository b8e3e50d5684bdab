// SPDX-License-Identifier: GPL-3.0-or-later
#include "tour/NeueSchule.h"

#include "tour/AnswerDesktop.h"

#include "app/Session.h"
#include "edit/GridView.h"
#include "edit/PlanEditor.h"
#include "export/Word.h"
#include "substitute/Substitutions.h"
#include "ui/PlanGitter.h"
#include "ui/TAllgemeineAngabenForm.h"
#include "ui/TBlockForm.h"
#include "ui/TDruckOptionenForm.h"
#include "ui/TFachForm.h"
#include "ui/THauptForm.h"
#include "ui/TKlassenForm.h"
#include "ui/TKursForm.h"
#include "ui/TLehrerForm.h"
#include "ui/TNeuForm.h"
#include "ui/TPlanBSForm.h"
#include "ui/TPlanForm.h"
#include "ui/TRaumForm.h"
#include "ui/TUnterrichtForm.h"
#include "ui/TVertretungenForm.h"
#include "ui/TVertretungsWahlForm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <deque>
#include <functional>
#include <stdexcept>

namespace sw::ui {

namespace {

// A step that cannot be done ends the road with its reason.
struct Abbruch : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void Pruefen(bool ok, const QString& warum) {
    if (!ok) throw Abbruch(warum.toStdString());
}

template <class T> T& Control(QWidget& fenster, const char* name) {
    T* w = fenster.findChild<T*>(name);
    Pruefen(w != nullptr, QString("%1 hat kein Element %2").arg(fenster.objectName(), name));
    return *w;
}

// Picks the entry with this text in a list of the window (the row a person clicks).
void Zeile(QWidget& fenster, const char* liste, const char* text) {
    auto& l = Control<QListWidget>(fenster, liste);
    const auto treffer = l.findItems(QString::fromUtf8(text), Qt::MatchExactly);
    Pruefen(!treffer.isEmpty(), QString("%1 enthält nicht %2").arg(liste, QString::fromUtf8(text)));
    l.setCurrentItem(treffer.first());
}

// Ticks the entry with this text in a check list of the window.
void Haken(QWidget& fenster, const char* liste, const char* text) {
    auto& l = Control<QListWidget>(fenster, liste);
    const auto treffer = l.findItems(QString::fromUtf8(text), Qt::MatchExactly);
    Pruefen(!treffer.isEmpty(), QString("%1 enthält nicht %2").arg(liste, QString::fromUtf8(text)));
    treffer.first()->setCheckState(Qt::Checked);
}

void Klick(QWidget& fenster, const char* knopf) {
    auto& b = Control<QPushButton>(fenster, knopf);
    Pruefen(b.isEnabled(), QString("%1 ist gesperrt").arg(knopf));
    b.click();
}

// Opens a modal window with `oeffnen` and, inside its loop, does `schritte` in it; a window
// still open after them is closed. A failed step closes it too and ends the road with its
// reason; a window that never came ends the road with `kamNicht`. The timer belongs to this
// call, so nothing of it fires once the call is over.
void ImDialog(QDialog& d, const QString& kamNicht, const std::function<void()>& schritte,
              const std::function<void()>& oeffnen) {
    QString fehler = kamNicht;
    QTimer uhr;
    uhr.setSingleShot(true);
    QObject::connect(&uhr, &QTimer::timeout, &d, [&] {
        if (!d.isVisible() || !d.isModal()) return;
        try {
            schritte();
            fehler.clear();
        } catch (const Abbruch& a) {
            fehler = QString::fromStdString(a.what());
        }
        if (d.isVisible()) d.reject();
    });
    uhr.start(300);
    oeffnen();
    Pruefen(fehler.isEmpty(), fehler);
}

class Strasse {
public:
    Strasse(THauptForm& haupt, AnswerDesktop& desktop, QString ordner, int stufenMs,
            const Schrittmeldung& meldung)
        : haupt_(haupt), desktop_(desktop), ordner_(std::move(ordner)), stufenMs_(stufenMs),
          meldung_(meldung) {
        // Message boxes on the way (the desktop's reporter) are answered with Yes or OK: the
        // road goes on where a person would.
        QObject::connect(&antworten_, &QTimer::timeout, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            QAbstractButton* ja = box->button(QMessageBox::Yes);
            if (!ja) ja = box->button(QMessageBox::Ok);
            if (!ja) ja = box->defaultButton();
            if (ja) ja->click();
        });
        antworten_.start(250);
    }
    Strasse(const Strasse&) = delete;
    Strasse& operator=(const Strasse&) = delete;

    void Gehen(NeueSchuleErgebnis& e) {
        ergebnis_ = &e;
        Angaben();
        Faecher();
        Raeume();
        Lehrer();
        Klassen();
        Kurs();
        Unterricht();
        Planen();
        Gitter();
        SpeichernUndOeffnen();
        Ausgabe();
        Vertretungen();
    }

private:
    void Schritt(const QString& name, QWidget& fenster) {
        ++ergebnis_->Schritte;
        if (meldung_) meldung_(name, fenster);
    }

    // New entities are named in the input window the dialog opens.
    void Eingaben() {
        desktop_.dialogs.Answer<TEingabeForm>([this](TEingabeForm& e) {
            if (eingaben_.empty()) return false;
            const QStringList texte = eingaben_.front();
            eingaben_.pop_front();
            e.findChild<QLineEdit*>("NameE")->setText(texte.value(0));
            if (auto* kurz = e.findChild<QLineEdit*>("KurzE")) kurz->setText(texte.value(1));
            if (auto* stunden = e.findChild<QLineEdit*>("BStundenE"))
                stunden->setText(texte.value(2));
            return true;
        });
    }
    void Neu(TStammForm& f, const QStringList& texte, const char* knopf = "NeuBtn") {
        eingaben_.push_back(texte);
        Klick(f, knopf);
        Pruefen(eingaben_.empty(), "Das Eingabefenster für " + texte.value(0) + " kam nicht");
    }

    void Angaben() {
        QDialog& d = haupt_.AngabenForm();
        ImDialog(
            d, "Die allgemeinen Angaben kamen nicht",
            [&] {
                Control<QLineEdit>(d, "MaximaleStundenZahlProTagME").setText("6");
                d.accept();
            },
            [&] { haupt_.Befehl("&Allgemeine Angaben")->trigger(); });
        Schritt("allgemeine_angaben", haupt_);
    }

    void Faecher() {
        haupt_.Befehl("&Fächer")->trigger();
        TFachForm& f = haupt_.FachForm();
        Eingaben();
        for (const char* fach : {"Deutsch", "Mathematik", "Englisch", "Sport"})
            Neu(f, {fach}, "NeuBitBtn");
        Schritt("faecher", f);
        f.hide();
    }

    void Raeume() {
        haupt_.Befehl("&Räume")->trigger();
        TRaumForm& f = haupt_.RaumForm();
        Eingaben();
        Neu(f, {"Raum 1", "r1"});
        Neu(f, {"Raum 2", "r2"}, "NeuBitBtn");
        Neu(f, {"Turnhalle", "th"}, "NeuBitBtn");
        const auto typen = Control<QGroupBox>(f, "RaumTypRG").findChildren<QRadioButton*>();
        Pruefen(typen.size() > 1, "RaumTypRG hat keine Art Spezial");
        typen[1]->click();
        Haken(f, "FachCLBox", "SPORT");
        Schritt("raeume", f);
        f.hide();
    }

    void Lehrer() {
        haupt_.Befehl("&Lehrer")->trigger();
        TLehrerForm& f = haupt_.LehrerForm();
        Eingaben();
        const struct {
            const char* name;
            const char* kurz;
            std::initializer_list<const char*> faecher;
        } lehrer[] = {{"Meier", "me", {"SPORT", "DEUTSCH"}},
                      {"Schulz", "sz", {"DEUTSCH", "MATHEMATIK"}},
                      {"Weber", "wb", {"MATHEMATIK", "ENGLISCH"}},
                      {"Koch", "ko", {"ENGLISCH", "SPORT"}}};
        for (const auto& l : lehrer) {
            Neu(f, {l.name, l.kurz});
            for (const char* fach : l.faecher)
                Haken(f, "FachCLBox", fach);
        }
        Schritt("lehrer", f);
        f.hide();
    }

    void Klassen() {
        haupt_.Befehl("&Klassen")->trigger();
        TKlassenForm& f = haupt_.KlassenForm();
        Eingaben();
        Neu(f, {"5A"});
        Neu(f, {"5B"});
        Schritt("klassen", f);
        f.hide();
    }

    // A course of two teachers that both classes will join.
    void Kurs() {
        haupt_.Befehl("K&urse")->trigger();
        TKursForm& f = haupt_.KursForm();
        Eingaben();
        Neu(f, {"Wahlkurs", "wk", "2"});
        Zeile(f, "LehrerL", "MEIER");
        Zeile(f, "FachL", "SPORT");
        Klick(f, "HinzuBitBtn");
        Zeile(f, "LehrerL", "KOCH");
        Zeile(f, "FachL", "ENGLISCH");
        Klick(f, "HinzuBitBtn");
        Schritt("kurs", f);
        f.hide();
    }

    void Unterricht() {
        TUnterrichtForm& u = haupt_.UnterrichtForm();
        haupt_.Befehl("&Unterricht")->trigger();
        Pruefen(u.isVisible(), "Das Fenster Unterricht kam nicht");
        const struct {
            const char* lehrer;
            const char* fach;
            int stunden;
        } bloecke[] = {{"SCHULZ", "DEUTSCH", 4},
                       {"WEBER", "MATHEMATIK", 4},
                       {"WEBER", "ENGLISCH", 3},
                       {"MEIER", "SPORT", 2}};
        // The block dialog asks for the hours a week of a subject block (a course has its own).
        int stunden = 0;
        const AnswerDesktop::Kept vorher(desktop_); // the answer refers to `stunden`
        desktop_.dialogs.Answer<TBlockForm>([&stunden](TBlockForm& d) {
            auto* feld = d.findChild<QLineEdit*>("BStundenE");
            if (feld && feld->isEnabled()) feld->setText(QString::number(stunden));
            return true;
        });
        for (const char* klasse : {"5A", "5B"}) {
            for (const auto& b : bloecke) {
                stunden = b.stunden;
                Zeile(u, "LehrerL", b.lehrer);
                Zeile(u, "KlassenL", klasse);
                Zeile(u, "FachL", b.fach);
                Klick(u, "HinzuBitBtn");
            }
            Zeile(u, "LehrerL", "MEIER");
            Zeile(u, "KlassenL", klasse);
            Zeile(u, "KursL", "WAHLKURS");
            Klick(u, "HinzuBitBtn");
        }
        Schritt("unterricht", u);
        u.hide();
    }

    void Planen() {
        haupt_.Befehl("Stunden&plan")->trigger();
        TPlanForm& plan = haupt_.PlanForm();
        Pruefen(plan.isVisible(), "Das Planungs-Fenster kam nicht");
        plan.SetSeed(5);
        Control<QLineEdit>(plan, "AnzahlVersucheE").setText("300");
        Klick(plan, "StartBtn");
        const CPlan* p = haupt_.Sitzung().Plan();
        Pruefen(p && p->PlacedCount() == static_cast<int>(p->StundenL.size()),
                "Der Urplan ist nicht vollständig: " + Control<QLabel>(plan, "Label1").text());
        auto& seiten = Control<QTabWidget>(plan, "PlanungsPC");
        Schritt("urplan", plan);
        // Each stage for a short while; one that is done early must not leave its "Halt" for
        // the next one.
        QTimer halt;
        halt.setSingleShot(true);
        QObject::connect(&halt, &QTimer::timeout, &plan, &TPlanForm::HaltBtnClick);
        const char* knoepfe[] = {"KLSMinimierungBtn", "KProdBtn", "TFBtn", "LLSBtn", "LProdBtn"};
        for (int i = 0; i < 5; ++i) {
            seiten.setCurrentIndex(i + 1);
            halt.start(stufenMs_);
            Klick(plan, knoepfe[i]);
            halt.stop();
            Pruefen(p->PlacedCount() == static_cast<int>(p->StundenL.size()),
                    QString("Nach %1 fehlen Stunden im Plan").arg(knoepfe[i]));
            Schritt(QString("stufe_%1").arg(i + 1), plan);
        }
    }

    // "Schnappschuß": a lesson of the first class moved to the first framed slot, then undone.
    void Gitter() {
        TPlanForm& plan = haupt_.PlanForm();
        TPlanBSForm& bs = plan.GitterForm();
        ImDialog(
            bs, "Das Plan-Gitter kam nicht", [&] { GitterSchritte(bs); },
            [&] { Klick(plan, "SchnappschussBtn"); });
    }
    void GitterSchritte(TPlanBSForm& bs) {
        PlanEditor& e = *bs.Editor();
        const CPlan& plan = *bs.Gitter().Modell().Plan();
        const auto gerahmt = [&]() -> int {
            for (int k : e.State().Candidates)
                if (RowOfSlot(plan, k) >= 1) return k;
            return kNoSlot;
        };
        const auto waehlen = [&](int s) { emit bs.Gitter().ZelleGewaehlt(DayOf(s), HourOf(s)); };
        auto* verschieben = bs.Menue().findChild<QAction*>("StundeVerschiebenPMI");
        Pruefen(verschieben != nullptr, "Das Menü hat kein StundeVerschiebenPMI");
        int ziel = kNoSlot;
        for (int c = 1; c < GridColumns(plan) && ziel == kNoSlot; ++c)
            for (int r = 1; r < GridRows(plan) && ziel == kNoSlot; ++r) {
                const int s = SlotOfCell(plan, c, r);
                if (!LessonAt(plan, e.View(), e.Shown(), s)) continue;
                waehlen(s);
                verschieben->trigger();
                ziel = gerahmt();
                if (ziel == kNoSlot) bs.Escape();
            }
        Pruefen(ziel != kNoSlot, "Keine Stunde der ersten Klasse ließ sich verschieben");
        Schritt("gitter_verschieben", bs);
        waehlen(ziel);
        Pruefen(LessonAt(plan, e.View(), e.Shown(), ziel) != nullptr,
                "Die Stunde steht nicht am neuen Platz");
        Schritt("gitter_verschoben", bs);
        Klick(bs, "RueckgaengigBtn");
        Pruefen(LessonAt(plan, e.View(), e.Shown(), ziel) == nullptr,
                "Rückgängig hat die Stunde nicht zurückgesetzt");
        Schritt("gitter_rueckgaengig", bs);
    }

    void SpeichernUndOeffnen() {
        TPlanForm& plan = haupt_.PlanForm();
        const CPlan* p = haupt_.Sitzung().Plan();
        const int gesetzt = p->PlacedCount();
        const int lls = p->Totals().LLSSumme;
        const QString datei = QDir(ordner_).filePath("neue_schule.pdt");
        QFile::remove(datei);
        desktop_.file = [datei](const DateiDialog&) { return QString(datei); };
        haupt_.PlanSpeichernClick();
        Pruefen(QFileInfo::exists(datei), "Die Plan-Datei wurde nicht geschrieben");
        ergebnis_->PlanDatei = datei;
        Schritt("plan_gespeichert", haupt_);
        Pruefen(plan.close(), "Das Planungs-Fenster ließ sich nicht schließen");
        Pruefen(!haupt_.Sitzung().HasPlan(), "Der Plan blieb nach dem Schließen");
        haupt_.PlanOeffnenClick();
        p = haupt_.Sitzung().Plan();
        Pruefen(p && p->PlacedCount() == gesetzt && p->Totals().LLSSumme == lls,
                "Die wieder geöffnete Plan-Datei enthält einen anderen Plan");
        Pruefen(plan.isVisible(), "Das Planungs-Fenster kam nach dem Öffnen nicht");
        Schritt("plan_geoeffnet", plan);
    }

    // "&Ausgabe": the export options (modal) write every class's and teacher's timetable.
    void Ausgabe() {
        TDruckOptionenForm& druck = haupt_.DruckForm();
        const QString datei = QDir(ordner_).filePath("neue_schule_plaene.docx");
        QFile::remove(datei);
        desktop_.file = [datei](const DateiDialog&) { return QString(datei); };
        desktop_.open = [](const QString&) { return false; };
        ImDialog(
            druck, "Die Druck-Optionen kamen nicht",
            [&] {
                Klick(druck, "KlassenCLBAlleBtn");
                Klick(druck, "LehrerCLBAlleBtn");
                Schritt("ausgabe", druck);
                Klick(druck, "AusgabeBtn");
            },
            [&] { haupt_.Befehl("&Ausgabe")->trigger(); });
        Pruefen(QFileInfo::exists(datei), "Die Pläne wurden nicht geschrieben");
        ergebnis_->Plaene = datei;
    }

    // "Vertretungen": two teachers are ill on Tuesday; the first lesson gets a free teacher of
    // its subject through the chooser (whose "Schnappschuß" shows the plan), the second is
    // cancelled, and the sheet is written.
    void Vertretungen() {
        haupt_.Befehl("Vertretungen")->trigger();
        TVertretungenForm& v = haupt_.VertretungenForm();
        Pruefen(v.isVisible(), "Das Fenster Vertretungen kam nicht");
        Haken(v, "LehrerCBox", "SCHULZ");
        Haken(v, "LehrerCBox", "WEBER");
        Control<QComboBox>(v, "TagCoBox").setCurrentIndex(1);
        Klick(v, "StundenErmittelnBtn");
        const VertretungsListe& liste = v.Liste();
        Pruefen(liste.Stunden() >= 2, "Die beiden Lehrer haben am Dienstag keine zwei Stunden");
        Schritt("vertretungen_ermittelt", v);

        const CPlan& plan = *haupt_.Sitzung().Plan();
        const WahlListe wahl = WahlFuer(plan, liste.Zeilen()[1]);
        int passend = -1;
        for (std::size_t i = 0; i < wahl.Zeilen.size() && passend < 0; ++i)
            if (wahl.Zeilen[i].Passend()) passend = static_cast<int>(i);
        Pruefen(passend >= 0, "Für die erste Stunde ist kein Lehrer frei, der das Fach hat");
        TVertretungsWahlForm& w = v.WahlForm();
        // The chooser runs modally, as for the user; the road works in it.
        desktop_.dialogs.Answer<TVertretungsWahlForm>(
            [](TVertretungsWahlForm& d) { return d.exec() == QDialog::Accepted; });
        v.ZeileWaehlen(1);
        ImDialog(
            w, "Das Fenster Vertretung für kam nicht als modales Fenster",
            [&] {
                GitterZeigen(w);
                Control<QTableWidget>(w, "VertretungG").selectRow(passend);
                Schritt("vertretung_fuer", w);
                Klick(w, "AuswahlBtn");
            },
            [&] { Klick(v, "VertretungsWahlBtn"); });
        Pruefen(liste.Zeilen()[1].Spalten[1] ==
                    wahl.Zeilen[static_cast<std::size_t>(passend)].Spalten[0],
                "Der gewählte Lehrer steht nicht in der Liste");
        v.ZeileWaehlen(2);
        Klick(v, "AusfallBtn");
        Pruefen(liste.Zeilen()[2].Spalten[1] == texte::Ausfall, "Ausfall steht nicht in der Liste");
        GitterZeigen(v);
        Schritt("vertretungen_gewaehlt", v);

        const QString datei = QDir(ordner_).filePath("neue_schule_vertretungsplan.docx");
        QFile::remove(datei);
        desktop_.file = [datei](const DateiDialog&) { return QString(datei); };
        desktop_.open = [](const QString&) { return false; };
        Klick(v, "Button2");
        Pruefen(QFileInfo::exists(datei), "Der Vertretungsplan wurde nicht geschrieben");
        ergebnis_->Vertretungsplan = datei;
        Schritt("vertretungsplan", v);
        Klick(v, "Button1");
    }

    // "Schnappschuß" of a substitution window: the plan grid opens over it and is closed again.
    void GitterZeigen(QWidget& fenster) {
        ImDialog(
            haupt_.PlanForm().GitterForm(),
            QString("Schnappschuß aus %1 zeigte das Plan-Gitter nicht").arg(fenster.windowTitle()),
            [] {}, [&] { Klick(fenster, "SchnappschussBtn"); });
    }

    THauptForm& haupt_;
    AnswerDesktop& desktop_;
    QString ordner_;
    int stufenMs_;
    const Schrittmeldung& meldung_;
    NeueSchuleErgebnis* ergebnis_ = nullptr;
    std::deque<QStringList> eingaben_;
    QTimer antworten_;
    // The desktop gets back the answers it had: what the road put there lives only as long as
    // the road.
    AnswerDesktop::Kept antwortenVorher_{desktop_};
};

} // namespace

NeueSchuleErgebnis NeueSchule(THauptForm& haupt, AnswerDesktop& desktop, const QString& ordner,
                              int stufenMs, const Schrittmeldung& meldung) {
    NeueSchuleErgebnis e;
    QDir().mkpath(ordner);
    Strasse strasse(haupt, desktop, ordner, stufenMs, meldung);
    try {
        strasse.Gehen(e);
    } catch (const Abbruch& a) {
        e.Fehler = QString::fromStdString(a.what());
    }
    return e;
}

} // namespace sw::ui
