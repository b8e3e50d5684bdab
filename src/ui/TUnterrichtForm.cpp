// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TUnterrichtForm.h"

#include "ui/BlockRegelnSeite.h"
#include "ui/Desktop.h"
#include "ui/QtReporter.h"
#include "ui/TBlockForm.h"
#include "ui/TRaumWahlForm.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>

namespace sw::ui {

namespace {
// The text of the selected row of a list, empty without one.
std::string Gewaehlt(const QListWidget* l) {
    const QListWidgetItem* item = l->currentItem();
    return item && item->isSelected() ? S(item->text()) : std::string();
}

void Fuellen(QListWidget* l, const QStringList& zeilen) {
    QSignalBlocker still(l);
    l->clear();
    l->addItems(zeilen);
}

void Waehlen(QListWidget* l, int zeile) {
    l->setCurrentRow(zeile);
}

QStringList Zeilen(const std::vector<std::string>& texte) {
    QStringList z;
    for (const auto& t : texte)
        z << Q(t);
    return z;
}
} // namespace

TUnterrichtForm::TUnterrichtForm(Session& session, Reporter& reporter, Desktop& desktop,
                                 QWidget* parent)
    : QDialog(parent), session_(session), reporter_(reporter), desktop_(desktop) {
    setObjectName("UnterrichtForm");
    setWindowTitle("Unterricht");
    setModal(false);
    seiten_.Aufbauen(this);
    regeln_ = new BlockRegelnSeite(session, reporter, desktop, this);
    seiten_.UnterrichtPC->addTab(regeln_, "Regeln");
    blockForm_ = new TBlockForm(this);
    raumForm_ = new TRaumWahlForm(this);
    Verbinden();
    HilfeMenue(this);
    HilfeMenue(raumForm_);
    ZeitgitterAufbauen();
    resize(860, 560);
}

TUnterrichtForm::~TUnterrichtForm() = default;

void TUnterrichtForm::Verbinden() {
    UnterrichtSeiten& s = seiten_;
    const auto wenn = [this](auto handler) {
        return [this, handler] {
            if (!laden_) (this->*handler)();
        };
    };
    connect(s.LehrerL, &QListWidget::itemSelectionChanged, this,
            wenn(&TUnterrichtForm::LehrerGewaehlt));
    connect(s.KlassenL, &QListWidget::itemSelectionChanged, this,
            wenn(&TUnterrichtForm::AnsichtNeu));
    connect(s.Ansicht, &QButtonGroup::idClicked, this, [this] {
        if (!laden_) AnsichtNeu();
    });
    // A subject or a course: selecting one clears the other.
    connect(s.FachL, &QListWidget::itemSelectionChanged, this, [this] {
        if (!laden_ && !seiten_.FachL->selectedItems().isEmpty()) seiten_.KursL->clearSelection();
    });
    connect(s.KursL, &QListWidget::itemSelectionChanged, this, [this] {
        if (!laden_ && !seiten_.KursL->selectedItems().isEmpty()) seiten_.FachL->clearSelection();
    });
    connect(s.VFachBlockL, &QListWidget::itemSelectionChanged, this, [this] {
        if (!laden_ && !seiten_.VFachBlockL->selectedItems().isEmpty())
            BlockGewaehlt(BlockArt::Fach);
    });
    connect(s.VKursBlockL, &QListWidget::itemSelectionChanged, this, [this] {
        if (!laden_ && !seiten_.VKursBlockL->selectedItems().isEmpty())
            BlockGewaehlt(BlockArt::Kurs);
    });
    for (QListWidget* l : {s.VFachBlockL, s.VFachStdL, s.VKursBlockL, s.VKursStdL})
        connect(l, &QListWidget::itemDoubleClicked, this,
                [this] { seiten_.UnterrichtPC->setCurrentIndex(1); });
    connect(s.HinzuBitBtn, &QPushButton::clicked, this, &TUnterrichtForm::HinzuBitBtnClick);
    connect(s.EntfernenBitBtn, &QPushButton::clicked, this, &TUnterrichtForm::EntfernenBitBtnClick);
    connect(s.TrennungCB, &QCheckBox::clicked, this,
            [this](bool an) { Editor().SetSeparation(block_, an); });
    connect(s.SchliessenBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(s.UnterrichtPC, &QTabWidget::currentChanged, this, [this](int i) {
        if (!laden_) SeiteGewechselt(i);
    });

    connect(s.EinheitenL, &QListWidget::itemSelectionChanged, this,
            wenn(&TUnterrichtForm::EinheitZeigen));
    connect(s.EinheitenL, &QWidget::customContextMenuRequested, this, [this](QPoint p) {
        seiten_.EinheitenPM->exec(seiten_.EinheitenL->viewport()->mapToGlobal(p));
    });
    connect(s.ZusammenfassenBtn, &QPushButton::clicked, this,
            &TUnterrichtForm::ZusammenfassenClick);
    connect(s.ZusammenfassenPMI, &QAction::triggered, this, &TUnterrichtForm::ZusammenfassenClick);
    connect(s.ZerlegenBtn, &QPushButton::clicked, this, &TUnterrichtForm::ZerlegenClick);
    connect(s.ZerlegenInEinzeleinheitenPMI, &QAction::triggered, this,
            &TUnterrichtForm::ZerlegenClick);
    connect(s.RaumWaehlenBtn, &QPushButton::clicked, this, &TUnterrichtForm::RaumWaehlenClick);
    connect(s.RaumWaehlenPMI, &QAction::triggered, this, &TUnterrichtForm::RaumWaehlenClick);
    connect(s.RaumLoeschenBtn, &QPushButton::clicked, this, &TUnterrichtForm::RaumLoeschenClick);
    connect(s.RaumLoeschenPMI, &QAction::triggered, this, &TUnterrichtForm::RaumLoeschenClick);
    connect(s.ZeitLoeschenBtn, &QPushButton::clicked, this, &TUnterrichtForm::ZeitLoeschenClick);
    connect(s.ZeitvorgabenG, &QTableWidget::cellClicked, this, &TUnterrichtForm::ZelleGewaehlt);

    // The preset controls: the user's input goes into v_, the editor does the rest.
    connect(s.OberesLimitCB, &QCheckBox::clicked, this, [this](bool an) {
        Vorgabe([this, an](LessonEditor& e, int pos) {
            v_.OberesLimit = an;
            e.UpperLimitChanged(block_, pos, v_);
        });
    });
    connect(s.UnteresLimitCB, &QCheckBox::clicked, this, [this](bool an) {
        Vorgabe([this, an](LessonEditor& e, int pos) {
            v_.UnteresLimit = an;
            e.LowerLimitChanged(block_, pos, v_);
        });
    });
    connect(s.TagesLimitCB, &QCheckBox::clicked, this, [this](bool an) {
        Vorgabe([this, an](LessonEditor& e, int pos) {
            v_.TagesLimit = an;
            e.DayLimitChanged(block_, pos, v_);
        });
    });
    connect(s.NurUrPlanCB, &QCheckBox::clicked, this, [this](bool an) {
        Vorgabe([this, an](LessonEditor& e, int pos) {
            v_.NurUrPlan = an;
            e.InitialPlanOnlyChanged(block_, pos, v_);
        });
    });
    connect(s.LimitCoBox, &QComboBox::activated, this, [this](int i) {
        Vorgabe([this, i](LessonEditor& e, int pos) {
            v_.LimitStunde = seiten_.LimitCoBox->itemData(i).toInt();
            e.LimitHourChanged(block_, pos, v_);
        });
    });
    connect(s.TagCoBox, &QComboBox::activated, this, [this](int i) {
        Vorgabe([this, i](LessonEditor& e, int pos) {
            v_.Tag = i;
            e.DayChanged(block_, pos, v_);
        });
    });

    connect(s.TrennungKlassenL, &QListWidget::itemSelectionChanged, this,
            wenn(&TUnterrichtForm::TrennungKlasseGewaehlt));
    connect(s.TrennungHinzuBitBtn, &QPushButton::clicked, this,
            &TUnterrichtForm::TrennungHinzuClick);
    connect(s.TrennungEntfernenBitBtn, &QPushButton::clicked, this,
            &TUnterrichtForm::TrennungEntfernenClick);
}

// A right click anywhere in `fenster` but the unit list offers "Hilfe": the page of the hint.
void TUnterrichtForm::HilfeMenue(QWidget* fenster) {
    fenster->setToolTip(kHilfe);
    fenster->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(fenster, &QWidget::customContextMenuRequested, this, [this, fenster](QPoint p) {
        QMenu menu(fenster);
        menu.addAction("Hilfe", this, [this, fenster] { emit HilfeSeite(fenster->toolTip()); });
        menu.exec(fenster->mapToGlobal(p));
    });
}

// --- opening, modes, the week ------------------------------------------------------------------

void TUnterrichtForm::Oeffnen() {
    const Stammdaten& d = session_.Stamm();
    QStringList lehrer, klassen, raeume;
    for (const auto& l : d.Lehrer)
        lehrer << Q(l.Name);
    for (const auto& k : d.Klassen)
        klassen << Q(k.Name);
    raumForm_->Fuellen(Zeilen(Editor().RoomChoices()));
    laden_ = true;
    Fuellen(seiten_.LehrerL, lehrer);
    Fuellen(seiten_.KlassenL, klassen);
    Fuellen(seiten_.TrennungKlassenL, klassen);
    for (QListWidget* l : {seiten_.LehrerL, seiten_.KlassenL, seiten_.TrennungKlassenL})
        Waehlen(l, l->count() > 0 ? 0 : -1);
    for (QListWidget* l : {seiten_.FachL, seiten_.KursL, seiten_.KursFachL})
        l->clear();
    seiten_.UnterrichtPC->setCurrentIndex(0);
    laden_ = false;
    ZeitgitterAufbauen();
    AnsichtNeu();
    TrennungKlasseGewaehlt();
    LehrerGewaehlt();
    show();
    raise();
    activateWindow();
}

void TUnterrichtForm::Leeren() {
    laden_ = true;
    for (QListWidget* l :
         {seiten_.LehrerL, seiten_.KlassenL, seiten_.FachL, seiten_.KursL, seiten_.KursFachL,
          seiten_.TrennungKlassenL, seiten_.EinheitenL, seiten_.EinheitenStdL, seiten_.RaumL,
          seiten_.VFachBlockL, seiten_.VFachStdL, seiten_.VKursBlockL, seiten_.VKursStdL,
          seiten_.TrennungStundenBlockL, seiten_.TrennungKursBlockL, seiten_.BeteiligtFachL,
          seiten_.BeteiligtKursL})
        l->clear();
    seiten_.UnterrichtPC->setCurrentIndex(0);
    laden_ = false;
    block_ = {};
    v_ = {};
    ansicht_ = {};
    seiten_.HinweisLabel->clear();
    seiten_.Label12->hide();
    seiten_.SummeLabel->clear();
    seiten_.TrennungCB->setEnabled(false);
    regeln_->Zeigen(block_);
    setWindowTitle("Unterricht");
    hide();
}

void TUnterrichtForm::SetEditable(bool editable) {
    editable_ = editable;
    const UnterrichtSeiten& s = seiten_;
    for (QWidget* w : std::initializer_list<QWidget*>{
             s.HinzuBitBtn, s.EntfernenBitBtn, s.ZusammenfassenBtn, s.ZerlegenBtn,
             s.ZeitLoeschenBtn, s.ZeitvorgabenG, s.RaumCheckCB, s.TrennungEntfernenBitBtn,
             s.TrennungHinzuBitBtn})
        w->setEnabled(editable);
    s.ZusammenfassenPMI->setEnabled(editable);
    s.ZerlegenInEinzeleinheitenPMI->setEnabled(editable);
    // The separation flag needs a selected block as well.
    s.TrennungCB->setEnabled(editable && block_.Art != BlockArt::Keiner);
    regeln_->SetEditable(editable);
    RaumKnoepfe();
}

void TUnterrichtForm::RaumKnoepfe() {
    // In the class view a course shows the first teacher's units: rooms are chosen per teacher.
    const bool an = editable_ && !(block_.IstKurs() && block_.Ansicht == BlockAnsicht::Klasse);
    seiten_.RaumWaehlenBtn->setEnabled(an);
    seiten_.RaumLoeschenBtn->setEnabled(an);
    seiten_.RaumWaehlenPMI->setEnabled(an);
    seiten_.RaumLoeschenPMI->setEnabled(an);
}

void TUnterrichtForm::ZeitgitterAufbauen() {
    const AllgemeineAngaben& a = session_.Stamm().Angaben;
    QTableWidget* g = seiten_.ZeitvorgabenG;
    QSignalBlocker still(g);
    g->clear();
    g->setColumnCount(a.Tage + 1);
    g->setRowCount(a.Stunden + (a.Nullte ? 2 : 1));
    const auto kopf = [g](int zeile, int spalte, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setFlags(Qt::ItemIsEnabled);
        item->setTextAlignment(Qt::AlignCenter);
        item->setBackground(g->palette().button());
        g->setItem(zeile, spalte, item);
    };
    kopf(0, 0, {});
    for (int t = 0; t < a.Tage; ++t) {
        kopf(0, t + 1, Q(TagName(a, t)).left(2));
    }
    for (int z = 1; z < g->rowCount(); ++z)
        kopf(z, 0, QString::number(a.Nullte ? z - 1 : z));
    for (int z = 1; z < g->rowCount(); ++z)
        for (int sp = 1; sp < g->columnCount(); ++sp) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            g->setItem(z, sp, item);
        }
    QSignalBlocker stillL(seiten_.LimitCoBox);
    seiten_.LimitCoBox->clear();
    for (int h : LimitHours(a))
        seiten_.LimitCoBox->addItem(QString::number(h), h);
    seiten_.LimitCoBox->setCurrentIndex(0);
    QSignalBlocker stillT(seiten_.TagCoBox);
    seiten_.TagCoBox->clear();
    for (const std::string& name : TagNamenDerWoche(a))
        seiten_.TagCoBox->addItem(Q(name));
    regeln_->ZeitgitterAufbauen();
}

// --- the block page ----------------------------------------------------------------------------

BlockAnsicht TUnterrichtForm::Ansicht() const {
    return seiten_.Ansicht->checkedId() == 1 ? BlockAnsicht::Klasse : BlockAnsicht::Lehrer;
}

int TUnterrichtForm::Lehrer() const {
    return seiten_.LehrerL->selectedItems().isEmpty() ? -1 : seiten_.LehrerL->currentRow();
}

int TUnterrichtForm::Klasse() const {
    return seiten_.KlassenL->selectedItems().isEmpty() ? -1 : seiten_.KlassenL->currentRow();
}

QString TUnterrichtForm::KlassenName() const {
    return Q(Gewaehlt(seiten_.KlassenL));
}

void TUnterrichtForm::LehrerGewaehlt() {
    const int lehrer = Lehrer();
    laden_ = true;
    QStringList kurse, faecher;
    const LessonEditor e = Editor();
    if (lehrer >= 0)
        for (const KursZeile& k : e.TeacherCourses(lehrer)) {
            kurse << Q(k.Name);
            faecher << Q(k.Fach);
        }
    Fuellen(seiten_.FachL, lehrer >= 0 ? Zeilen(e.TeacherSubjects(lehrer)) : QStringList{});
    Fuellen(seiten_.KursL, kurse);
    Fuellen(seiten_.KursFachL, faecher);
    if (seiten_.FachL->count() > 0) Waehlen(seiten_.FachL, 0);
    laden_ = false;
    AnsichtNeu();
}

void TUnterrichtForm::AnsichtNeu() {
    ansicht_ = Editor().View(Ansicht(), Lehrer(), Klasse());
    laden_ = true;
    QStringList fach, fachStd, kurs, kursStd;
    for (const BlockZeile& z : ansicht_.FachBloecke) {
        fach << Q(z.Name);
        fachStd << QString::number(z.Stunden);
    }
    for (const BlockZeile& z : ansicht_.KursBloecke) {
        kurs << Q(z.Name);
        kursStd << QString::number(z.Stunden);
    }
    Fuellen(seiten_.VFachBlockL, fach);
    Fuellen(seiten_.VFachStdL, fachStd);
    Fuellen(seiten_.VKursBlockL, kurs);
    Fuellen(seiten_.VKursStdL, kursStd);
    laden_ = false;
    if (ansicht_.Gezeigt) setWindowTitle(Q(ansicht_.Titel));
    seiten_.SummeLabel->setText(Q(ansicht_.Summe));
    // The lists were rebuilt: no block is selected any more.
    block_ = {};
    seiten_.TrennungCB->setEnabled(false);
    RaumKnoepfe();
}

void TUnterrichtForm::BlockGewaehlt(BlockArt art) {
    const bool fach = art == BlockArt::Fach;
    QListWidget* liste = fach ? seiten_.VFachBlockL : seiten_.VKursBlockL;
    QListWidget* andere = fach ? seiten_.VKursBlockL : seiten_.VFachBlockL;
    laden_ = true;
    andere->clearSelection();
    laden_ = false;
    const auto& zeilen = fach ? ansicht_.FachBloecke : ansicht_.KursBloecke;
    const int zeile = liste->currentRow();
    const int index =
        zeile >= 0 && zeile < static_cast<int>(zeilen.size()) ? zeilen[zeile].Index : -1;
    block_ = Editor().Select(art, index, Ansicht(), Gewaehlt(seiten_.LehrerL));
    const bool gewaehlt = block_.Art != BlockArt::Keiner;
    {
        QSignalBlocker still(seiten_.TrennungCB);
        seiten_.TrennungCB->setChecked(gewaehlt && Editor().Separation(block_));
    }
    seiten_.TrennungCB->setEnabled(editable_ && gewaehlt);
    RaumKnoepfe();
    EinheitenNeu();
    regeln_->Zeigen(block_);
}

void TUnterrichtForm::HinzuBitBtnClick() {
    const BlockAnfrage anfrage{Gewaehlt(seiten_.LehrerL), S(KlassenName()), Gewaehlt(seiten_.FachL),
                               Gewaehlt(seiten_.KursL)};
    LessonEditor e = Editor();
    const std::optional<BlockDialog> dialog = e.OpenBlockDialog(anfrage, reporter_);
    if (!dialog) return;
    blockForm_->Fuellen(Q(dialog->Lehrer), Q(dialog->Klasse), Q(dialog->FachKurs),
                        dialog->StundenAenderbar ? std::nullopt
                                                 : std::optional<int>(Q(dialog->Stunden).toInt()));
    blockForm_->move(pos() + QPoint(20, 20));
    if (desktop_.Run(*blockForm_)) e.AddBlock(anfrage, S(blockForm_->Stunden()), reporter_);
    AnsichtNeu();
}

void TUnterrichtForm::EntfernenBitBtnClick() {
    if (block_.Art == BlockArt::Keiner) return;
    Editor().RemoveBlock(block_, S(KlassenName()), reporter_);
    AnsichtNeu();
}

// --- the units page ----------------------------------------------------------------------------

void TUnterrichtForm::SeiteGewechselt(int index) {
    if (index == 0) {
        if (ansicht_.Gezeigt) setWindowTitle(Q(ansicht_.Titel));
        return;
    }
    if (index == 2) {
        TrennungKlasseGewaehlt();
        return;
    }
    if (index == 3) {
        regeln_->Zeigen(block_);
        return;
    }
    LessonEditor e = Editor();
    if (!e.CanOpenUnits(block_, reporter_)) {
        laden_ = true;
        seiten_.UnterrichtPC->setCurrentIndex(0);
        laden_ = false;
        return;
    }
    seiten_.Label12->hide();
    seiten_.HinweisLabel->clear();
    seiten_.RaumCheckCB->setChecked(true);
    setWindowTitle(Q(e.UnitsCaption(block_, S(KlassenName()))));
    EinheitenNeu();
}

void TUnterrichtForm::EinheitenNeu() {
    QStringList texte, stunden, raeume;
    for (const EinheitZeile& z : Editor().Units(block_)) {
        texte << Q(z.Text);
        stunden << Q(z.Stunden);
        raeume << Q(z.Raum);
    }
    laden_ = true;
    Fuellen(seiten_.EinheitenL, texte);
    Fuellen(seiten_.EinheitenStdL, stunden);
    Fuellen(seiten_.RaumL, raeume);
    if (!texte.isEmpty()) Waehlen(seiten_.EinheitenL, 0);
    laden_ = false;
    EinheitZeigen();
}

void TUnterrichtForm::EinheitenTexte() {
    const std::vector<EinheitZeile> zeilen = Editor().Units(block_);
    if (static_cast<int>(zeilen.size()) != seiten_.EinheitenL->count()) {
        EinheitenNeu();
        return;
    }
    for (int i = 0; i < seiten_.EinheitenL->count(); ++i) {
        seiten_.EinheitenL->item(i)->setText(Q(zeilen[i].Text));
        seiten_.EinheitenStdL->item(i)->setText(Q(zeilen[i].Stunden));
        seiten_.RaumL->item(i)->setText(Q(zeilen[i].Raum));
    }
}

std::vector<int> TUnterrichtForm::Auswahl() const {
    std::vector<int> zeilen;
    for (int i = 0; i < seiten_.EinheitenL->count(); ++i)
        if (seiten_.EinheitenL->item(i)->isSelected()) zeilen.push_back(i);
    return zeilen;
}

int TUnterrichtForm::Position() const {
    return seiten_.EinheitenL->currentRow();
}

void TUnterrichtForm::EinheitZeigen() {
    Editor().ShowUnit(block_, Position(), v_);
    VorgabenZeigen();
}

void TUnterrichtForm::VorgabenZeigen() {
    const UnterrichtSeiten& s = seiten_;
    const AllgemeineAngaben& a = session_.Stamm().Angaben;
    laden_ = true;
    QTableWidget* g = s.ZeitvorgabenG;
    for (int z = 1; z < g->rowCount(); ++z)
        for (int sp = 1; sp < g->columnCount(); ++sp)
            if (QTableWidgetItem* item = g->item(z, sp)) item->setText({});
    for (int slot : v_.Kreuze) {
        const GitterZelle c = CellOfSlot(a, slot);
        if (QTableWidgetItem* item = g->item(c.Zeile, c.Spalte)) item->setText("X");
    }
    g->setVisible(v_.GitterSichtbar);
    const auto kasten = [](QCheckBox* c, bool an, bool aktiv) {
        QSignalBlocker still(c);
        c->setChecked(an);
        c->setEnabled(aktiv);
    };
    kasten(s.NurUrPlanCB, v_.NurUrPlan, v_.NurUrPlanAktiv);
    kasten(s.OberesLimitCB, v_.OberesLimit, true);
    kasten(s.UnteresLimitCB, v_.UnteresLimit, true);
    kasten(s.TagesLimitCB, v_.TagesLimit, v_.TagesLimitAktiv);
    {
        QSignalBlocker still(s.LimitCoBox);
        s.LimitCoBox->setEnabled(v_.LimitAktiv);
        const int i = s.LimitCoBox->findData(v_.LimitStunde);
        if (i >= 0) s.LimitCoBox->setCurrentIndex(i);
    }
    {
        QSignalBlocker still(s.TagCoBox);
        s.TagCoBox->setEnabled(v_.TagAktiv);
        if (v_.Tag >= 0 && v_.Tag < s.TagCoBox->count()) s.TagCoBox->setCurrentIndex(v_.Tag);
    }
    s.HinweisLabel->setText(Q(v_.Hinweis));
    s.Label12->setVisible(v_.Warnung);
    laden_ = false;
}

void TUnterrichtForm::Pruefung(const DefinitionCheck& ergebnis) {
    if (!ergebnis.Allowed()) QApplication::beep();
    VorgabenZeigen();
}

void TUnterrichtForm::Vorgabe(const std::function<void(LessonEditor&, int)>& schreiben) {
    if (laden_ || Position() < 0) return;
    // The boxes hold what they show, also where the unit has no hour or day of its own.
    if (seiten_.LimitCoBox->currentIndex() >= 0)
        v_.LimitStunde = seiten_.LimitCoBox->currentData().toInt();
    if (seiten_.TagCoBox->currentIndex() >= 0) v_.Tag = seiten_.TagCoBox->currentIndex();
    LessonEditor e = Editor();
    schreiben(e, Position());
    VorgabenZeigen();
}

void TUnterrichtForm::ZelleGewaehlt(int zeile, int spalte) {
    if (laden_ || !editable_) return;
    const int slot = SlotOfCell(session_.Stamm().Angaben, {spalte, zeile});
    if (slot == kNoSlot) return;
    Pruefung(Editor().SetTime(block_, Auswahl(), slot, v_));
}

void TUnterrichtForm::ZusammenfassenClick() {
    if (Editor().Merge(block_, Auswahl(), reporter_)) EinheitenNeu();
}

void TUnterrichtForm::ZerlegenClick() {
    if (Editor().Split(block_, Auswahl(), reporter_)) EinheitenNeu();
}

void TUnterrichtForm::RaumWaehlenClick() {
    if (Position() < 0 || Auswahl().empty()) {
        // Without a unit the check refuses before any room is asked for.
        const DefinitionCheck r = CheckRoom(session_.Stamm(), block_, -1, {}, true);
        v_.Hinweis = r.Refusal;
        v_.Warnung = !r.Allowed();
        Pruefung(r);
        return;
    }
    raumForm_->move(pos() + QPoint(20, 20));
    if (!desktop_.Run(*raumForm_)) return;
    const QString raum = raumForm_->GewaehlterRaum();
    if (raum.isEmpty()) return;
    Pruefung(Editor().SetRoom(block_, Position(), S(raum), seiten_.RaumCheckCB->isChecked(), v_));
    EinheitenTexte();
}

void TUnterrichtForm::RaumLoeschenClick() {
    if (Editor().ClearRooms(block_, Auswahl())) EinheitenTexte();
}

void TUnterrichtForm::ZeitLoeschenClick() {
    if (Editor().ClearTime(block_, Position(), v_)) EinheitenNeu();
}

// --- special separations -----------------------------------------------------------------------

void TUnterrichtForm::TrennungKlasseGewaehlt() {
    const QListWidget* klassen = seiten_.TrennungKlassenL;
    const int k = klassen->selectedItems().isEmpty() ? -1 : klassen->currentRow();
    const TrennungsSeite t = Editor().Separations(k);
    Fuellen(seiten_.TrennungStundenBlockL, Zeilen(t.StundenBloecke));
    Fuellen(seiten_.TrennungKursBlockL, Zeilen(t.KursBloecke));
    Fuellen(seiten_.BeteiligtFachL, Zeilen(t.BeteiligtFach));
    Fuellen(seiten_.BeteiligtKursL, Zeilen(t.BeteiligtKurs));
    if (k >= 0 && seiten_.UnterrichtPC->currentIndex() == 2) setWindowTitle(Q(t.Titel));
}

void TUnterrichtForm::TrennungHinzuClick() {
    const QListWidget* klassen = seiten_.TrennungKlassenL;
    if (klassen->selectedItems().isEmpty()) return;
    if (Editor().AddToSeparation(klassen->currentRow(), Gewaehlt(seiten_.TrennungStundenBlockL),
                                 Gewaehlt(seiten_.TrennungKursBlockL)))
        TrennungKlasseGewaehlt();
}

void TUnterrichtForm::TrennungEntfernenClick() {
    if (Editor().RemoveFromSeparation(Gewaehlt(seiten_.BeteiligtFachL),
                                      Gewaehlt(seiten_.BeteiligtKursL)))
        TrennungKlasseGewaehlt();
}

} // namespace sw::ui
