// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BlockRegelnSeite.h"

#include "model/Regeln.h"
#include "ui/Desktop.h"
#include "ui/ListenFilter.h"
#include "ui/QtReporter.h"
#include "ui/SlotGitter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace sw::ui {

namespace {
// The kinds in the order of BeziehungsArt, as the rule texts name them.
constexpr RegelArt kArten[] = {RegelArt::Gleichzeitig, RegelArt::NieGleichzeitig,
                               RegelArt::GleicherTag, RegelArt::Direktfolge};
} // namespace

TBeziehungForm::TBeziehungForm(QWidget* parent) : QDialog(parent) {
    setObjectName("BeziehungForm");
    setWindowTitle("Beziehung hinzufügen");
    eigenerL_ = new QLabel(this);
    eigenerL_->setObjectName("EigenerBlockL");
    artCoBox_ = new QComboBox(this);
    artCoBox_->setObjectName("ArtCoBox");
    for (RegelArt a : kArten)
        artCoBox_->addItem(Q(RegelName(a)));
    bloeckeCLBox_ = new QListWidget(this);
    bloeckeCLBox_->setObjectName("BloeckeCLBox");
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout;
    form->addRow("Block:", eigenerL_);
    form->addRow("Art:", artCoBox_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(
        new QLabel("Mit den Blöcken (bei „direkt nacheinander“ der folgende):", this));
    layout->addLayout(MitFilter(bloeckeCLBox_, this), 1);
    layout->addWidget(knoepfe);
    resize(440, 420);
}

void TBeziehungForm::Vorbereiten(const CBlockBezug& eigener,
                                 const std::vector<CBlockBezug>& andere) {
    eigener_ = eigener;
    andere_ = andere;
    eigenerL_->setText(Q(BezugText(eigener)));
    artCoBox_->setCurrentIndex(static_cast<int>(BeziehungsArt::NieGleichzeitig));
    bloeckeCLBox_->clear();
    for (const CBlockBezug& b : andere) {
        auto* item = new QListWidgetItem(Q(BezugText(b)), bloeckeCLBox_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

CBeziehung TBeziehungForm::Beziehung() const {
    CBeziehung b;
    b.Art = static_cast<BeziehungsArt>(std::max(0, artCoBox_->currentIndex()));
    b.Bloecke.push_back(eigener_);
    for (int i = 0; i < bloeckeCLBox_->count() && i < static_cast<int>(andere_.size()); ++i)
        if (bloeckeCLBox_->item(i)->checkState() == Qt::Checked)
            b.Bloecke.push_back(andere_[static_cast<std::size_t>(i)]);
    return b;
}

BlockRegelnSeite::BlockRegelnSeite(Session& session, Reporter& reporter, Desktop& desktop,
                                   QWidget* parent)
    : QWidget(parent), session_(session), reporter_(reporter), desktop_(desktop) {
    setObjectName("RegelnTS");
    titelL_ = new QLabel(this);
    titelL_->setObjectName("BlockL");
    zeitenG_ = new SlotGitter("ErlaubteZeitenG", this);
    zeitenG_->setToolTip("Ein Klick erlaubt eine Anfangszeit oder nimmt sie weg. Ohne Kreuz "
                         "darf eine Einheit zu jeder Zeit beginnen.");
    abstandSE_ = new QSpinBox(this);
    abstandSE_->setObjectName("MinTageAbstandSE");
    abstandSE_->setRange(0, 6);
    abstandSE_->setMaximumWidth(80);
    tagesendeCB_ = new QCheckBox("beendet den Tag der Klasse", this);
    tagesendeCB_->setObjectName("TagesendeCB");
    uebernehmenBtn_ = new QPushButton("Übernehmen", this);
    uebernehmenBtn_->setObjectName("BlockRegelnUebernehmenBtn");
    uebernehmenBtn_->setAutoDefault(false);
    beziehungenL_ = new QListWidget(this);
    beziehungenL_->setObjectName("BeziehungenL");
    hinzuBtn_ = new QPushButton("Beziehung hinzufügen...", this);
    hinzuBtn_->setObjectName("BeziehungHinzuBtn");
    hinzuBtn_->setAutoDefault(false);
    entfernenBtn_ = new QPushButton("Entfernen", this);
    entfernenBtn_->setObjectName("BeziehungEntfernenBtn");
    entfernenBtn_->setAutoDefault(false);
    beziehungForm_ = new TBeziehungForm(this);
    connect(uebernehmenBtn_, &QPushButton::clicked, this, &BlockRegelnSeite::UebernehmenClick);
    connect(hinzuBtn_, &QPushButton::clicked, this, &BlockRegelnSeite::HinzuClick);
    connect(entfernenBtn_, &QPushButton::clicked, this, &BlockRegelnSeite::EntfernenClick);
    connect(beziehungenL_, &QListWidget::itemSelectionChanged, this, &BlockRegelnSeite::Freigeben);

    auto* regeln = new QGroupBox("Regeln", this);
    regeln->setObjectName("RegelnGB");
    auto* zeiten = new QVBoxLayout;
    zeiten->addWidget(new QLabel("Erlaubte Anfangszeiten (ohne Kreuz: jede):", this));
    zeiten->addWidget(zeitenG_);
    zeiten->addStretch(1);
    auto* rechts = new QFormLayout;
    rechts->addRow("Mindestabstand (Tage):", abstandSE_);
    rechts->addRow(tagesendeCB_);
    auto* rechtsV = new QVBoxLayout;
    rechtsV->addLayout(rechts);
    rechtsV->addStretch(1);
    rechtsV->addWidget(uebernehmenBtn_, 0, Qt::AlignRight);
    auto* regelnLayout = new QHBoxLayout(regeln);
    regelnLayout->addLayout(zeiten);
    regelnLayout->addLayout(rechtsV, 1);

    auto* beziehungen = new QGroupBox("Beziehungen", this);
    beziehungen->setObjectName("BeziehungenGB");
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(hinzuBtn_);
    knoepfe->addWidget(entfernenBtn_);
    knoepfe->addStretch(1);
    auto* bezLayout = new QVBoxLayout(beziehungen);
    bezLayout->addWidget(beziehungenL_, 1);
    bezLayout->addLayout(knoepfe);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titelL_);
    layout->addWidget(regeln);
    layout->addWidget(beziehungen, 1);
    ZeitgitterAufbauen();
}

void BlockRegelnSeite::ZeitgitterAufbauen() {
    zeitenG_->Aufbauen(session_.Stamm().Angaben);
    Zeigen(block_);
}

void BlockRegelnSeite::SetEditable(bool editable) {
    editable_ = editable;
    Freigeben();
}

void BlockRegelnSeite::Freigeben() {
    const bool block = Editor().Bezug(block_).has_value();
    const bool an = editable_ && block;
    zeitenG_->SetEditable(an);
    zeitenG_->setEnabled(block);
    for (QWidget* w :
         std::initializer_list<QWidget*>{abstandSE_, tagesendeCB_, uebernehmenBtn_, hinzuBtn_})
        w->setEnabled(an);
    entfernenBtn_->setEnabled(an && beziehungenL_->currentRow() >= 0 &&
                              !beziehungenL_->selectedItems().isEmpty());
}

void BlockRegelnSeite::Zeigen(const AktuellerBlock& block) {
    block_ = block;
    LessonEditor e = Editor();
    const auto bezug = e.Bezug(block_);
    const CBlockRegeln r = e.BlockRules(block_);
    titelL_->setText(bezug ? "Block: " + Q(BezugText(*bezug))
                           : QString("Kein Block gewählt: wählen Sie ihn auf der Seite "
                                     "„Unterrichts - Blöcke“."));
    zeitenG_->Setzen(r.ErlaubteZeiten);
    {
        QSignalBlocker still(abstandSE_);
        abstandSE_->setValue(r.MinTageAbstand);
    }
    tagesendeCB_->setChecked(r.Tagesende != 0);
    beziehungen_ = bezug ? e.RelationsOf(*bezug) : std::vector<int>{};
    {
        QSignalBlocker still(beziehungenL_);
        beziehungenL_->clear();
        for (int i : beziehungen_)
            beziehungenL_->addItem(
                Q(RegelText(session_.Stamm().Beziehungen[static_cast<std::size_t>(i)])));
    }
    Freigeben();
}

void BlockRegelnSeite::UebernehmenClick() {
    if (!editable_) return;
    CBlockRegeln r;
    r.ErlaubteZeiten = zeitenG_->Slots();
    r.MinTageAbstand = abstandSE_->value();
    r.Tagesende = tagesendeCB_->isChecked() ? 1 : 0;
    // A refusal keeps what was chosen, so that it can be corrected.
    if (Editor().SetBlockRules(block_, r, reporter_)) Zeigen(block_);
}

void BlockRegelnSeite::HinzuClick() {
    LessonEditor e = Editor();
    const auto bezug = e.Bezug(block_);
    if (!editable_ || !bezug) return;
    std::vector<CBlockBezug> andere = e.RelationBlocks();
    andere.erase(std::remove(andere.begin(), andere.end(), *bezug), andere.end());
    beziehungForm_->Vorbereiten(*bezug, andere);
    if (!desktop_.Run(*beziehungForm_)) return;
    if (Editor().AddRelation(beziehungForm_->Beziehung(), reporter_)) Zeigen(block_);
}

void BlockRegelnSeite::EntfernenClick() {
    const int zeile = beziehungenL_->currentRow();
    if (!editable_ || zeile < 0 || zeile >= static_cast<int>(beziehungen_.size())) return;
    Editor().RemoveRelation(beziehungen_[static_cast<std::size_t>(zeile)]);
    Zeigen(block_);
}

} // namespace sw::ui
