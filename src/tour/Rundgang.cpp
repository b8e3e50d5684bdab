// SPDX-License-Identifier: GPL-3.0-or-later
#include "tour/Rundgang.h"

#include "tour/AnswerDesktop.h"

#include "define/LessonEditor.h"
#include "define/MasterData.h"
#include "edit/GridView.h"
#include "ui/BlockRegelnSeite.h"
#include "ui/PlanGitter.h"
#include "ui/SlotGitter.h"
#include "ui/TAbwesenheitenForm.h"
#include "ui/TAllgemeineAngabenForm.h"
#include "ui/TBlockForm.h"
#include "ui/TDruckOptionenForm.h"
#include "ui/TFachForm.h"
#include "ui/THauptForm.h"
#include "ui/THilfeForm.h"
#include "ui/TImportBerichtForm.h"
#include "ui/TKlassenForm.h"
#include "ui/TKursForm.h"
#include "ui/TLegendeForm.h"
#include "ui/TLehrerForm.h"
#include "ui/TNeuForm.h"
#include "ui/TPlanBSForm.h"
#include "ui/TPlanForm.h"
#include "ui/TProgrammOptionenForm.h"
#include "ui/TRaumForm.h"
#include "ui/TRaumWahlForm.h"
#include "ui/TUnterrichtForm.h"
#include "ui/TVeroeffentlichenForm.h"
#include "ui/TVertretungenForm.h"
#include "ui/TVertretungsWahlForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

namespace sw::ui {

namespace {

void Warten(int ms) {
    QTimer uhr;
    uhr.setSingleShot(true);
    uhr.start(ms);
    while (uhr.isActive())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool Bild(QWidget& w, const QString& ordner, const QString& name) {
    w.show();
    w.raise();
    w.activateWindow();
    Warten(200);
    return w.grab().save(QDir(ordner).filePath(name + ".png"));
}

// The plan grid, opened by "Schnappschuß": the three views, a move with its green frames, a
// refused move, the popup, the legend and the room dialog. Runs inside the grid's modal loop.
int GitterBilder(TPlanBSForm& bs, const QString& ordner) {
    int n = 0;
    const auto ansicht = [&](int id) {
        bs.findChild<QWidget*>("AnsichtRG")->findChildren<QRadioButton*>().value(id)->click();
    };
    bs.resize(1040, 660);
    n += Bild(bs, ordner, "gitter_klasse");
    ansicht(0);
    n += Bild(bs, ordner, "gitter_lehrer");
    ansicht(2);
    n += Bild(bs, ordner, "gitter_raum");
    ansicht(1);
    PlanEditor& e = *bs.Editor();
    const CPlan& plan = *bs.Gitter().Modell().Plan();
    // The lessons and the empty cells of the shown class in grid order.
    std::vector<int> besetzt, leer;
    for (int c = 1; c < GridColumns(plan); ++c)
        for (int r = 1; r < GridRows(plan); ++r) {
            const int s = SlotOfCell(plan, c, r);
            (LessonAt(plan, e.View(), e.Shown(), s) ? besetzt : leer).push_back(s);
        }
    const auto waehlen = [&](int s) { emit bs.Gitter().ZelleGewaehlt(DayOf(s), HourOf(s)); };
    const auto befehl = [&](const char* name) { bs.Menue().findChild<QAction*>(name)->trigger(); };
    const auto gerahmt = [&] {
        for (int k : e.State().Candidates)
            if (RowOfSlot(plan, k) >= 1) return true;
        return false;
    };
    // The first lesson that can move elsewhere: its targets framed.
    int stunde = kNoSlot;
    for (int s : besetzt) {
        waehlen(s);
        befehl("StundeVerschiebenPMI");
        if (gerahmt()) {
            stunde = s;
            break;
        }
        bs.Escape();
    }
    if (stunde == kNoSlot) return n;
    n += Bild(bs, ordner, "gitter_verschieben");
    // An empty cell that is not framed: the move is refused and the conflict group says why.
    for (int s : leer)
        if (!e.State().IsCandidate(s)) {
            waehlen(s);
            break;
        }
    n += Bild(bs, ordner, "gitter_konflikt");
    waehlen(stunde);
    const QRect zelle = bs.Gitter().visualRect(
        bs.Gitter().model()->index(RowOfSlot(plan, stunde), DayOf(stunde) + 1));
    bs.MenueZeigen(bs.Gitter().viewport()->mapToGlobal(zelle.center()));
    Warten(300);
    n += QGuiApplication::primaryScreen()->grabWindow(0).save(
        QDir(ordner).filePath("gitter_menue.png"));
    bs.Menue().close();
    // A lesson with other rooms free at its time, for the room dialog.
    for (int s : besetzt) {
        waehlen(s);
        if (!e.RoomChoices(false).empty()) break;
    }
    auto& legende = bs.LegendeForm();
    n += Bild(legende, ordner, "legende");
    legende.hide();
    QTimer::singleShot(400, &bs, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog == &bs) return;
        n += dialog->grab().save(QDir(ordner).filePath("raum_setzen.png"));
        dialog->reject();
    });
    bs.RaumSetzenClick();
    return n;
}

// The units page of the subject block in row `zeile`: its longest unit pinned at the first time
// the checks allow (its "X" cells), then another unit of the block refused at that time.
int EinheitenBilder(TUnterrichtForm& f, const QString& ordner, int zeile, int laenge) {
    int n = 0;
    UnterrichtSeiten& u = f.Seiten();
    u.VFachBlockL->setCurrentRow(zeile);
    u.UnterrichtPC->setCurrentIndex(1);
    int einheit = 0;
    for (int i = 0; i < u.EinheitenStdL->count(); ++i)
        if (u.EinheitenStdL->item(i)->text().toInt() == laenge) einheit = i;
    u.EinheitenL->setCurrentRow(einheit);
    QTableWidget* g = u.ZeitvorgabenG;
    int zelleZ = -1, zelleS = -1;
    for (int c = 2; c < g->columnCount() && zelleZ < 0; ++c)
        for (int r = 2; r < g->rowCount() && zelleZ < 0; ++r) {
            f.ZelleGewaehlt(r, c);
            if (u.HinweisLabel->text().isEmpty()) zelleZ = r, zelleS = c;
        }
    n += Bild(f, ordner, "unterricht_einheiten");
    // Refused: another unit of the block at that time, or a long unit at the day's last hour.
    if (zelleZ >= 0 && u.EinheitenL->count() > 1) {
        u.EinheitenL->setCurrentRow(einheit == 0 ? 1 : 0);
        f.ZelleGewaehlt(zelleZ, zelleS);
    } else if (laenge > 1) {
        f.ZelleGewaehlt(g->rowCount() - 1, zelleS > 0 ? zelleS : 1);
    }
    if (!u.HinweisLabel->text().isEmpty()) n += Bild(f, ordner, "unterricht_konflikt");
    return n;
}

// The lesson window on the school just opened: a course block selected, the block dialog, the
// units page (EinheitenBilder), the room dialog and the special separations. The master data is
// put back afterwards, so the plan that follows is the school's own.
int UnterrichtBilder(THauptForm& haupt, AnswerDesktop& desktop, const QString& ordner) {
    int n = 0;
    const Stammdaten kopie = haupt.Sitzung().Stamm();
    haupt.UnterrichtClick();
    TUnterrichtForm& f = haupt.UnterrichtForm();
    UnterrichtSeiten& u = f.Seiten();
    if (!f.isVisible()) return n;
    // The dialogs are photographed instead of run; the desktop gets its own answers back.
    const AnswerDesktop::Kept zurueck(desktop);
    const auto dialogBild = [&](QDialog& d, const char* name) {
        d.show();
        Warten(200);
        n += d.grab().save(QDir(ordner).filePath(QString(name) + ".png"));
        d.hide();
        return false;
    };
    f.move(haupt.pos() + QPoint(0, 200));
    f.resize(940, 600);
    // A teacher with subject blocks and a course.
    for (int i = 0; i < u.LehrerL->count(); ++i) {
        u.LehrerL->setCurrentRow(i);
        if (u.VKursBlockL->count() > 0 && u.VFachBlockL->count() > 1) break;
    }
    u.VKursBlockL->setCurrentRow(0);
    n += Bild(f, ordner, "unterricht_bloecke");
    desktop.dialogs.Answer<TBlockForm>(
        [&](TBlockForm& d) { return dialogBild(d, "unterricht_block_dialog"); });
    if (u.FachL->count() > 0) u.FachL->setCurrentRow(0);
    f.HinzuBitBtnClick();

    // The first subject block with a unit of two hours or more, else the teacher's first block.
    int lehrer = u.LehrerL->currentRow(), zeile = 0, laenge = 1;
    for (int l = 0; l < u.LehrerL->count() && laenge < 2; ++l) {
        u.LehrerL->setCurrentRow(l);
        for (int b = 0; b < u.VFachBlockL->count() && laenge < 2; ++b) {
            u.VFachBlockL->setCurrentRow(b);
            for (int i = 0; i < u.EinheitenStdL->count(); ++i)
                if (u.EinheitenStdL->item(i)->text().toInt() > laenge)
                    laenge = u.EinheitenStdL->item(i)->text().toInt(), lehrer = l, zeile = b;
        }
    }
    u.LehrerL->setCurrentRow(lehrer);
    if (u.VFachBlockL->count() > zeile) {
        n += EinheitenBilder(f, ordner, zeile, laenge);
        desktop.dialogs.Answer<TRaumWahlForm>(
            [&](TRaumWahlForm& d) { return dialogBild(d, "unterricht_raeume"); });
        f.RaumWaehlenClick();
    }
    // The page "Regeln" of the teacher's first subject block: allowed times on the first hours,
    // units on different days, and never at the same time as his next block.
    u.UnterrichtPC->setCurrentIndex(0);
    if (u.VFachBlockL->count() > 1) {
        u.VFachBlockL->setCurrentRow(0);
        const AktuellerBlock block = f.Block();
        LessonEditor e(haupt.Sitzung().Stamm());
        CBlockRegeln r;
        for (int t = 0; t < haupt.Sitzung().Stamm().Angaben.Tage; ++t)
            for (int h = 1; h <= 4; ++h)
                r.ErlaubteZeiten.push_back(SlotOf(t, h));
        r.MinTageAbstand = 1;
        CapturingReporter still;
        e.SetBlockRules(block, r, still);
        u.VFachBlockL->setCurrentRow(1);
        const auto anderer = e.Bezug(f.Block());
        u.VFachBlockL->setCurrentRow(0);
        if (const auto bezug = e.Bezug(block); bezug && anderer)
            e.AddRelation({BeziehungsArt::NieGleichzeitig, {*bezug, *anderer}}, still);
        u.UnterrichtPC->setCurrentIndex(3);
        n += Bild(f, ordner, "unterricht_regeln");
        desktop.dialogs.Answer<TBeziehungForm>([&](TBeziehungForm& d) {
            d.Art()->setCurrentIndex(static_cast<int>(BeziehungsArt::GleicherTag));
            if (d.Bloecke()->count() > 1) d.Bloecke()->item(1)->setCheckState(Qt::Checked);
            return dialogBild(d, "unterricht_beziehung");
        });
        f.Regeln().HinzuClick();
    }
    // A class with a special-separation group; without one its first block joins the group.
    u.UnterrichtPC->setCurrentIndex(2);
    for (int k = 0; k < u.TrennungKlassenL->count(); ++k) {
        u.TrennungKlassenL->setCurrentRow(k);
        if (u.BeteiligtFachL->count() + u.BeteiligtKursL->count() > 0) break;
    }
    if (u.BeteiligtFachL->count() + u.BeteiligtKursL->count() == 0) {
        u.TrennungKlassenL->setCurrentRow(0);
        u.TrennungStundenBlockL->setCurrentRow(0);
        f.TrennungHinzuClick();
        u.TrennungStundenBlockL->setCurrentRow(1);
        f.TrennungHinzuClick();
    }
    n += Bild(f, ordner, "unterricht_trennungen");
    f.Leeren();
    haupt.Sitzung().Stamm() = kopie;
    return n;
}

// The master-data dialogs on the school just opened: the subjects, a special room with its
// subjects, a teacher's lock grid with locked cells, the classes, a course with three teachers
// and an input window. Cells locked for the picture are freed again afterwards.
int StammBilder(THauptForm& haupt, AnswerDesktop& desktop, const QString& ordner) {
    int n = 0;
    const Stammdaten& d = haupt.Sitzung().Stamm();
    const auto seite = [](QWidget& f, const char* name, int i) {
        if (auto* pc = f.findChild<QTabWidget*>(name)) pc->setCurrentIndex(i);
    };
    const auto waehlen = [](QWidget& f, const char* name, int i) {
        if (auto* c = f.findChild<QComboBox*>(name); c && i >= 0) c->setCurrentIndex(i);
    };
    QPoint ort = haupt.pos() + QPoint(0, 200);

    haupt.FaecherClick();
    haupt.FachForm().move(ort);
    n += Bild(haupt.FachForm(), ordner, "stamm_faecher");
    haupt.FachForm().hide();

    haupt.RaeumeClick();
    TRaumForm& raum = haupt.RaumForm();
    raum.move(ort);
    int spezial = -1;
    for (int i = 0; i < static_cast<int>(d.Raeume.size()) && spezial < 0; ++i)
        if (d.Raeume[i].FachTyp[1] && !d.Raeume[i].Faecher.empty()) spezial = i;
    waehlen(raum, "RaumCoBox", spezial);
    n += Bild(raum, ordner, "stamm_raum");
    // The input window of "Neuer Raum", photographed instead of run.
    {
        const AnswerDesktop::Kept zurueck(desktop);
        desktop.dialogs.Answer<TEingabeForm>([&](TEingabeForm& e) {
            e.show();
            Warten(200);
            n += e.grab().save(QDir(ordner).filePath("stamm_neuer_raum.png"));
            e.hide();
            return false;
        });
        raum.NeuClick();
    }
    raum.hide();

    haupt.LehrerClick();
    TLehrerForm& lehrer = haupt.LehrerForm();
    lehrer.move(ort);
    n += Bild(lehrer, ordner, "stamm_lehrer");
    // A teacher with locked cells; without one, a few are locked for the picture.
    int gesperrt = -1;
    for (int i = 0; i < static_cast<int>(d.Lehrer.size()) && gesperrt < 0; ++i)
        for (int s = 0; s < kSlotCount && gesperrt < 0; ++s)
            if (d.Lehrer[i].Sperre[s] && DayOf(s) < d.Angaben.Tage && HourOf(s) >= 1 &&
                HourOf(s) <= d.Angaben.Stunden)
                gesperrt = i;
    std::vector<int> frei;
    if (gesperrt < 0) {
        gesperrt = 0;
        MasterDataEditor e(haupt.Sitzung().Stamm());
        for (int s : {SlotOf(0, 1), SlotOf(0, 2), SlotOf(4, 5), SlotOf(4, 6)}) {
            CapturingReporter still;
            if (e.Lock(SperrZiel::Lehrer, 0, {s}, still).Geaendert) frei.push_back(s);
        }
    }
    waehlen(lehrer, "LehrerCoBox", gesperrt);
    seite(lehrer, "LehrerPC", 1);
    n += Bild(lehrer, ordner, "stamm_lehrer_zeitvorgaben");
    if (!frei.empty()) MasterDataEditor(haupt.Sitzung().Stamm()).Unlock(SperrZiel::Lehrer, 0, frei);
    // The page "Regeln" with a few rules, taken back afterwards.
    {
        CapturingReporter still;
        const CLehrerRegeln vorher = d.Lehrer[gesperrt].Regeln;
        CLehrerRegeln r = vorher;
        r.MaxStundenProTag = 6;
        r.MaxLueckenProWoche = 3;
        r.MaxTage = 4;
        r.FensterVon = 7;
        r.FensterBis = d.Angaben.Stunden;
        r.FensterMaxTage = 2;
        MasterDataEditor(haupt.Sitzung().Stamm()).SetTeacherRules(gesperrt, r, still);
        lehrer.Auffrischen();
        seite(lehrer, "LehrerPC", 2);
        n += Bild(lehrer, ordner, "stamm_lehrer_regeln");
        MasterDataEditor(haupt.Sitzung().Stamm()).SetTeacherRules(gesperrt, vorher, still);
    }
    seite(lehrer, "LehrerPC", 0);
    lehrer.hide();

    haupt.KlassenClick();
    haupt.KlassenForm().move(ort);
    n += Bild(haupt.KlassenForm(), ordner, "stamm_klassen");
    if (!d.Klassen.empty()) {
        CapturingReporter still;
        const CTagesRegeln vorher = d.Klassen[0].Regeln;
        CTagesRegeln r = vorher;
        r.MaxLueckenProTag = 0;
        r.MaxInFolge = 6;
        MasterDataEditor(haupt.Sitzung().Stamm()).SetClassRules(0, r, still);
        waehlen(haupt.KlassenForm(), "KlassenCoBox", 0);
        haupt.KlassenForm().Auffrischen();
        seite(haupt.KlassenForm(), "KlassenPC", 2);
        n += Bild(haupt.KlassenForm(), ordner, "stamm_klassen_regeln");
        MasterDataEditor(haupt.Sitzung().Stamm()).SetClassRules(0, vorher, still);
        seite(haupt.KlassenForm(), "KlassenPC", 0);
    }
    haupt.KlassenForm().hide();

    haupt.KurseClick();
    TKursForm& kurs = haupt.KursForm();
    kurs.move(ort);
    int drei = -1;
    for (int i = 0; i < static_cast<int>(d.KursBloecke.size()) && drei < 0; ++i)
        if (d.KursBloecke[i].Lehrer.size() >= 3) drei = i;
    waehlen(kurs, "KursCoBox", drei);
    n += Bild(kurs, ordner, "stamm_kurse");
    kurs.hide();
    return n;
}

// The substitution window on the planned school: two teachers absent who share an hour, the
// lessons of that day determined, the chooser open for the first lesson (its first teacher who is
// free and teaches the subject chosen), the second lesson cancelled, and the sheet written.
int VertretungsBilder(THauptForm& haupt, AnswerDesktop& desktop, const QString& ordner) {
    int n = 0;
    const CPlan& plan = *haupt.Sitzung().Plan();
    const auto lehrerAn = [&](int t, int s) {
        for (int r = 0; r < plan.RaumAnzahl; ++r)
            if (plan.At(r, s).Lehrer == t) return true;
        return false;
    };
    int a = -1, b = -1, tag = 0;
    for (int d = 0; d < plan.Tage && a < 0; ++d)
        for (int h = 1; h <= plan.Stunden && a < 0; ++h)
            for (int x = 0; x < plan.LehrerAnzahl && a < 0; ++x)
                for (int y = x + 1; y < plan.LehrerAnzahl && a < 0; ++y)
                    if (lehrerAn(x, SlotOf(d, h)) && lehrerAn(y, SlotOf(d, h)))
                        a = x, b = y, tag = d;
    if (a < 0) return n;
    haupt.VertretungenClick();
    TVertretungenForm& f = haupt.VertretungenForm();
    f.move(haupt.pos() + QPoint(0, 200));
    auto* lehrer = f.findChild<QListWidget*>("LehrerCBox");
    lehrer->item(a)->setCheckState(Qt::Checked);
    lehrer->item(b)->setCheckState(Qt::Checked);
    lehrer->scrollToItem(lehrer->item(a));
    f.findChild<QComboBox*>("TagCoBox")->setCurrentIndex(tag);
    f.StundenErmittelnBtnClick();
    n += Bild(f, ordner, "vertretungen_liste");

    const AnswerDesktop::Kept zurueck(desktop);
    desktop.dialogs.Answer<TVertretungsWahlForm>([&](TVertretungsWahlForm& w) {
        auto* g = w.findChild<QTableWidget*>("VertretungG");
        int zeile = 0;
        for (int r = g->rowCount() - 1; r >= 0; --r)
            if (g->item(r, 0)->font().bold()) zeile = r;
        g->selectRow(zeile);
        w.move(f.pos() + QPoint(260, 40));
        n += Bild(w, ordner, "vertretung_fuer");
        w.hide();
        return true;
    });
    f.ZeileWaehlen(1);
    f.VertretungsWahlBtnClick();
    f.ZeileWaehlen(2);
    f.AusfallBtnClick();
    f.ZeileWaehlen(1);
    n += Bild(f, ordner, "vertretungen");
    // The statistics of the journal the choices went into.
    desktop.dialogs.Answer<QDialog>([&](QDialog& d) {
        if (d.objectName() != "StatistikForm") return false;
        d.move(f.pos() + QPoint(200, 60));
        n += Bild(d, ordner, "vertretungsstatistik");
        d.hide();
        return false;
    });
    f.StatistikBtnClick();
    desktop.dialogs.Forget<QDialog>();
    desktop.dialogs.Answer<TAbwesenheitenForm>([&](TAbwesenheitenForm& d) {
        d.move(f.pos() + QPoint(200, 60));
        n += Bild(d, ordner, "abwesenheiten");
        d.hide();
        return false;
    });
    f.AbwesenheitenBtnClick();
    desktop.open = [](const QString&) { return false; };
    desktop.file = [ordner](const DateiDialog&) {
        return QDir(ordner).absoluteFilePath("vertretungsplan.docx");
    };
    f.AusgabeBtnClick();
    f.close();
    return n;
}

// The menu "&Datei" open under the main window: the screen around both.
int DateiMenueBild(THauptForm& haupt, const QString& ordner) {
    QMenu* datei = haupt.menuBar()->actions().value(0)->menu();
    datei->popup(haupt.menuBar()->mapToGlobal(QPoint(0, haupt.menuBar()->height())));
    Warten(300);
    const QRect r = haupt.frameGeometry().united(datei->geometry()).adjusted(-4, -4, 4, 4);
    const bool ok = QGuiApplication::primaryScreen()
                        ->grabWindow(0, r.x(), r.y(), r.width(), r.height())
                        .save(QDir(ordner).filePath("datei_menue.png"));
    datei->close();
    return ok;
}

// The master data written as tables into the picture folder and read back by "Importieren...":
// the report window, then the main window with the school that is new now (never saved).
int ImportBilder(THauptForm& haupt, AnswerDesktop& desktop, const QString& ordner) {
    int n = 0;
    QString tabellen = QDir(ordner).absoluteFilePath("tabellen");
    QDir().mkpath(tabellen);
    const AnswerDesktop::Kept zurueck(desktop);
    desktop.file = [tabellen](const DateiDialog&) { return tabellen; };
    haupt.TabellenExportierenClick();
    desktop.dialogs.Answer<TImportBerichtForm>([&](TImportBerichtForm& f) {
        f.move(haupt.pos() + QPoint(0, 200));
        n += Bild(f, ordner, "importbericht");
        f.hide();
        return true;
    });
    haupt.ImportierenClick();
    if (n > 0) n += Bild(haupt, ordner, "hauptfenster_import");
    return n;
}

} // namespace

int Rundgang(THauptForm& haupt, AnswerDesktop& desktop, const QString& schule,
             const QString& ordner, int sekunden) {
    const AnswerDesktop::Kept zurueck(desktop);
    QDir().mkpath(ordner);
    int n = 0;
    // Message boxes on the way are photographed and answered with their default button.
    int meldungen = 0;
    QTimer antworten;
    QObject::connect(&antworten, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        box->grab().save(QDir(ordner).filePath(QString("meldung_%1.png").arg(++meldungen)));
        // The whole screen too: where the box stands against its window.
        QGuiApplication::primaryScreen()->grabWindow(0).save(
            QDir(ordner).filePath(QString("meldung_%1_schirm.png").arg(meldungen)));
        if (QAbstractButton* b =
                box->defaultButton() ? box->defaultButton() : box->buttons().value(0))
            b->click();
    });
    antworten.start(300);
    haupt.show();
    // The tour works on a copy: the substitution window keeps its journal beside the school.
    QTemporaryDir kopie;
    const QString datei = kopie.filePath(QFileInfo(schule).fileName());
    QFile::copy(schule, datei);
    desktop.file = [datei](const DateiDialog&) { return QString(datei); };
    haupt.OeffnenClick();
    n += Bild(haupt, ordner, "hauptfenster");
    n += DateiMenueBild(haupt, ordner);
    n += StammBilder(haupt, desktop, ordner);
    n += UnterrichtBilder(haupt, desktop, ordner);

    haupt.StundenplanClick();
    TPlanForm& plan = haupt.PlanForm();
    plan.move(haupt.pos() + QPoint(0, 220));
    plan.resize(1100, 560);
    plan.SetSeed(1);
    // The user works in the planning window: its messages appear over it.
    plan.activateWindow();
    Warten(200);
    plan.StartBtnClick();
    auto* seiten = plan.findChild<QTabWidget*>("PlanungsPC");
    n += Bild(plan, ordner, "plan_1_urplan");
    const char* knoepfe[] = {"KLSMinimierungBtn", "KProdBtn", "TFBtn", "LLSBtn", "LProdBtn"};
    // A stage that reaches its target early must not leave its "Halt" for the next one.
    QTimer halt;
    halt.setSingleShot(true);
    QObject::connect(&halt, &QTimer::timeout, &plan, &TPlanForm::HaltBtnClick);
    QTimer mitten;
    mitten.setSingleShot(true);
    QObject::connect(&mitten, &QTimer::timeout, &plan,
                     [&] { n += plan.grab().save(QDir(ordner).filePath("plan_laufend.png")); });
    for (int i = 0; i < 5; ++i) {
        seiten->setCurrentIndex(i + 1);
        halt.start(sekunden * 1000);
        // Halfway through stage 5: the window as it looks while a run is on.
        if (i == 3) mitten.start(sekunden * 500);
        plan.findChild<QPushButton*>(knoepfe[i])->click();
        halt.stop();
        mitten.stop();
        n += Bild(plan, ordner, QString("plan_%1").arg(i + 2));
    }
    seiten->setCurrentIndex(6);
    n += Bild(plan, ordner, "plan_7_manuell");
    seiten->setCurrentIndex(7);
    n += Bild(plan, ordner, "plan_8_optionen");
    seiten->setCurrentIndex(5);
    n += Bild(plan, ordner, "planungsfenster");

    auto& gitter = plan.GitterForm();
    QTimer::singleShot(300, &gitter, [&] {
        n += GitterBilder(gitter, ordner);
        gitter.accept();
    });
    plan.SchnappschussBtnClick();

    // The general settings in plan mode, as the menu opens them (modally), with the context help
    // of the hours field asked from its pop-up: the whole screen, as the user sees it.
    auto& angaben = haupt.AngabenForm();
    QTimer::singleShot(300, &angaben, [&] {
        // Breaks after the 3rd and the 6th hour, for the picture only: the dialog is refused.
        std::vector<int> pausen;
        for (int t = 0; t < kMaxDays; ++t)
            pausen.insert(pausen.end(), {SlotOf(t, 3), SlotOf(t, 6)});
        angaben.Pausen().Setzen(pausen);
        n += angaben.grab().save(QDir(ordner).filePath("allgemeine_angaben.png"));
        QTimer::singleShot(300, &angaben, [] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                menu->actions().value(0)->trigger();
                menu->close();
            }
        });
        auto* stunden = angaben.findChild<QWidget*>("MaximaleStundenZahlProTagME");
        emit angaben.customContextMenuRequested(stunden->mapTo(&angaben, stunden->rect().center()));
        Warten(300);
        n += QGuiApplication::primaryScreen()->grabWindow(0).save(
            QDir(ordner).filePath("allgemeine_angaben_hilfe.png"));
        // The page of the school year with a term and two holidays typed in.
        if (auto* seiten = angaben.findChild<QTabWidget*>("AngabenPC")) seiten->setCurrentIndex(1);
        angaben.findChild<QLineEdit*>("SchuljahrBeginnE")->setText("01.09.2026");
        angaben.findChild<QLineEdit*>("SchuljahrEndeE")->setText("15.07.2027");
        const char* ferien[][3] = {{"26.10.2026", "31.10.2026", "Herbstferien"},
                                   {"21.12.2026", "02.01.2027", "Weihnachtsferien"}};
        for (const auto& f : ferien) {
            angaben.FerienHinzufuegen();
            const int row = angaben.Ferien().rowCount() - 1;
            for (int c = 0; c < 3; ++c)
                angaben.Ferien().item(row, c)->setText(f[c]);
        }
        n += angaben.grab().save(QDir(ordner).filePath("allgemeine_angaben_schuljahr.png"));
        angaben.reject();
    });
    haupt.AllgemeineAngabenClick();
    haupt.HilfeForm().hide();
    auto& optionen = haupt.OptionenForm();
    n += Bild(optionen, ordner, "programm_optionen");
    optionen.hide();
    // The export window after "Alle" on the classes, and its closing note after "Ausgabe".
    auto& druck = haupt.DruckForm();
    druck.Fuellen(haupt.Sitzung().Plan());
    n += Bild(druck, ordner, "druck_optionen");
    druck.findChild<QPushButton*>("KlassenCLBAlleBtn")->click();
    n += Bild(druck, ordner, "druck_optionen_alle");
    desktop.file = [ordner](const DateiDialog&) {
        return QDir(ordner).absoluteFilePath("plaene.docx");
    };
    desktop.open = [](const QString&) { return false; };
    druck.AusgabeBtnClick();
    druck.hide();
    // The publishing window with the plans, the folder and what goes beside the pages.
    auto& web = haupt.VeroeffentlichenForm();
    web.Fuellen(haupt.Sitzung().Plan());
    web.OrdnerFeld().setText(QDir(ordner).absoluteFilePath("webseite"));
    web.findChild<QCheckBox*>("PdfCB")->setChecked(true);
    web.findChild<QCheckBox*>("XlsxCB")->setChecked(true);
    n += Bild(web, ordner, "veroeffentlichen");
    web.hide();
    n += VertretungsBilder(haupt, desktop, ordner);
    // The closing question, with the German standard buttons: the runs changed the plan, so it
    // is offered for saving; its default "Ja" writes the plan into the picture folder, never
    // over the school.
    desktop.file = [ordner](const DateiDialog& d) {
        return d.Speichern ? QDir(ordner).absoluteFilePath("rundgang." + d.Endung) : QString();
    };
    plan.close();
    Warten(500);
    n += ImportBilder(haupt, desktop, ordner);
    return n;
}

} // namespace sw::ui
