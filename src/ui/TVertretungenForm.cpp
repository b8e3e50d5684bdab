// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TVertretungenForm.h"

#include "io/FileOps.h"
#include "model/Cp1252.h"
#include "publish/Webseite.h"
#include "substitute/Statistik.h"
#include "ui/DruckSatz.h"
#include "ui/ListenFilter.h"
#include "ui/QtReporter.h"
#include "ui/TAbwesenheitenForm.h"
#include "ui/TVertretungsWahlForm.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QVBoxLayout>

namespace sw::ui {

namespace {

QPushButton* Knopf(QWidget* eltern, const char* name, const char* text) {
    auto* b = new QPushButton(Q(text), eltern);
    b->setObjectName(name);
    return b;
}

QLabel* Titel(QWidget* eltern, const char* text, QWidget* fuer) {
    auto* l = new QLabel(Q(text), eltern);
    l->setBuddy(fuer);
    return l;
}

Datum AlsDatum(const QDate& d) {
    return {d.year(), d.month(), d.day()};
}

} // namespace

TVertretungenForm::TVertretungenForm(Reporter& reporter, Desktop& desktop, QWidget* parent)
    : QDialog(parent), reporter_(reporter), desktop_(desktop) {
    setObjectName("VertretungenForm");
    setWindowTitle("Vertretungen");
    wahl_ = new TVertretungsWahlForm(this);
    abwesenheiten_ = new TAbwesenheitenForm(reporter, this);
    connect(wahl_, &TVertretungsWahlForm::SchnappschussVerlangt, this,
            &TVertretungenForm::SchnappschussBtnClick);

    lehrerCBox_ = new QListWidget(this);
    lehrerCBox_->setObjectName("LehrerCBox");
    connect(lehrerCBox_, &QListWidget::itemChanged, this, &TVertretungenForm::LehrerGeklickt);
    tagCoBox_ = new QComboBox(this);
    tagCoBox_->setObjectName("TagCoBox");
    connect(tagCoBox_, &QComboBox::currentIndexChanged, this, &TVertretungenForm::TagGewechselt);
    grundCoBox_ = new QComboBox(this);
    grundCoBox_->setObjectName("GrundCoBox");
    // The journal's state: its file, or why there is none, or who holds it.
    journalL_ = new QLabel(this);
    journalL_->setObjectName("JournalL");
    journalL_->setWordWrap(true);
    datumE_ = new QDateEdit(this);
    datumE_->setObjectName("DatumE");
    datumE_->setDisplayFormat("dd.MM.yyyy");
    datumE_->setCalendarPopup(true);
    // Typing passes through other days: the date counts once the field is left (or Enter), or
    // when a day of the calendar is clicked.
    connect(datumE_, &QDateEdit::editingFinished, this, &TVertretungenForm::DatumGewaehlt);
    connect(datumE_->calendarWidget(), &QCalendarWidget::clicked, this,
            &TVertretungenForm::DatumGewaehlt, Qt::QueuedConnection);

    vertretungG_ = new QTableWidget(0, static_cast<int>(texte::VertretungsKopf.size()), this);
    vertretungG_->setObjectName("VertretungG");
    QStringList kopf;
    for (const char* s : texte::VertretungsKopf)
        kopf << Q(s);
    vertretungG_->setHorizontalHeaderLabels(kopf);
    vertretungG_->verticalHeader()->hide();
    vertretungG_->setSelectionBehavior(QAbstractItemView::SelectRows);
    vertretungG_->setSelectionMode(QAbstractItemView::SingleSelection);
    vertretungG_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vertretungG_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    // The lesson takes the room the choice columns leave.
    vertretungG_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    vertretungG_->setColumnWidth(1, 150);
    vertretungG_->setColumnWidth(2, 110);
    vertretungG_->setColumnWidth(3, 130);
    connect(vertretungG_, &QTableWidget::cellDoubleClicked, this,
            &TVertretungenForm::VertretungsWahlBtnClick);

    auto* ermitteln = Knopf(this, "StundenErmittelnBtn", "Stunden ermitteln");
    connect(ermitteln, &QPushButton::clicked, this, &TVertretungenForm::StundenErmittelnBtnClick);
    auto* waehlen = Knopf(this, "VertretungsWahlBtn", "Vertretungs-Lehrer wählen");
    connect(waehlen, &QPushButton::clicked, this, &TVertretungenForm::VertretungsWahlBtnClick);
    auto* ausfall = Knopf(this, "AusfallBtn", "Ausfall");
    connect(ausfall, &QPushButton::clicked, this, &TVertretungenForm::AusfallBtnClick);
    auto* loeschen = Knopf(this, "LoeschenBtn", "Vertretungs-Lehrer löschen");
    connect(loeschen, &QPushButton::clicked, this, &TVertretungenForm::LoeschenBtnClick);
    auto* ausgabe = Knopf(this, "Button2", "Ausgabe");
    connect(ausgabe, &QPushButton::clicked, this, &TVertretungenForm::AusgabeBtnClick);
    auto* schnappschuss = Knopf(this, "SchnappschussBtn", "Schnappschuß");
    connect(schnappschuss, &QPushButton::clicked, this, &TVertretungenForm::SchnappschussBtnClick);
    auto* abwesenheiten = Knopf(this, "AbwesenheitenBtn", "Abwesenheiten...");
    connect(abwesenheiten, &QPushButton::clicked, this, &TVertretungenForm::AbwesenheitenBtnClick);
    auto* statistik = Knopf(this, "StatistikBtn", "Statistik");
    connect(statistik, &QPushButton::clicked, this, &TVertretungenForm::StatistikBtnClick);
    auto* schliessen = Knopf(this, "Button1", "Schließen");
    connect(schliessen, &QPushButton::clicked, this, &QWidget::close);

    auto* ziel = new QGroupBox("Ausgabe an", this);
    ziel->setObjectName("AusgabeAnRG");
    wordRB_ = new QRadioButton("Word", ziel);
    wordRB_->setObjectName("WordRB");
    druckerRB_ = new QRadioButton("Drucker", ziel);
    druckerRB_->setObjectName("DruckerRB");
    webseiteRB_ = new QRadioButton("Webseite", ziel);
    webseiteRB_->setObjectName("WebseiteRB");
    wordRB_->setChecked(true);
    auto* zl = new QVBoxLayout(ziel);
    zl->addWidget(wordRB_);
    zl->addWidget(druckerRB_);
    zl->addWidget(webseiteRB_);

    auto* links = new QVBoxLayout;
    links->addWidget(Titel(this, "Nicht verfügbare Lehrer", lehrerCBox_));
    links->addLayout(MitFilter(lehrerCBox_, this), 1);
    links->addWidget(Titel(this, "Tag", tagCoBox_));
    links->addWidget(tagCoBox_);
    links->addWidget(Titel(this, "Datum", datumE_));
    links->addWidget(datumE_);
    links->addWidget(Titel(this, "Grund", grundCoBox_));
    links->addWidget(grundCoBox_);
    links->addWidget(journalL_);

    auto* rechts = new QVBoxLayout;
    rechts->addWidget(ermitteln);
    rechts->addWidget(waehlen);
    rechts->addWidget(ausfall);
    rechts->addWidget(loeschen);
    rechts->addSpacing(16);
    rechts->addWidget(ziel);
    rechts->addWidget(ausgabe);
    rechts->addStretch();
    rechts->addWidget(abwesenheiten);
    rechts->addWidget(statistik);
    rechts->addWidget(schnappschuss);
    rechts->addWidget(schliessen);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(links);
    layout->addWidget(vertretungG_, 1);
    layout->addLayout(rechts);
    resize(1100, 520);
    Anzeigen();
}

TVertretungenForm::~TVertretungenForm() = default;

void TVertretungenForm::Fuellen(const CPlan& plan, Stammdaten& stamm, const std::string& journal) {
    plan_ = &plan;
    stamm_ = &stamm;
    journal_.reset();
    if (!journal.empty()) {
        journal_ = std::make_unique<JournalDatei>(DefaultFileOps(), journal);
        if (journal_->Oeffnen(reporter_) == JournalZustand::Beschaedigt) journal_.reset();
    }
    journalL_->setText(
        !journal_ ? Q("Ohne Vertretungsjournal: die Entscheidungen werden nicht aufbewahrt.")
        : journal_->Bearbeitbar() ? Q("Journal: " + journal_->Pfad())
                                  : Q("Journal: " + journal_->Pfad() + " (nur lesen)"));
    grundCoBox_->clear();
    for (const std::string& g : journal_ ? journal_->Daten().Gruende : StandardGruende())
        grundCoBox_->addItem(Q(g));
    laden_ = true;
    lehrerCBox_->clear();
    for (int i = 0; i < plan.LehrerAnzahl; ++i) {
        const CLehrer& l = plan.LehrerAt(i);
        auto* item = new QListWidgetItem(Q(l.Name), lehrerCBox_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(l.NichtVerfuegbar ? Qt::Checked : Qt::Unchecked);
    }
    tagCoBox_->clear();
    for (int d = 0; d < plan.Tage; ++d)
        tagCoBox_->addItem(Q(TagName(plan.Stamm().Angaben, d)));
    tagCoBox_->setCurrentIndex(0);
    laden_ = false;
    DatumZeigen(NaechsterWochentag(desktop_.Today(), 0));
    Leeren();
}

void TVertretungenForm::TagGewechselt() {
    if (laden_) return;
    Leeren();
    if (!tagVomDatum_ && tagCoBox_->currentIndex() >= 0)
        DatumZeigen(NaechsterWochentag(desktop_.Today(), tagCoBox_->currentIndex()));
}

void TVertretungenForm::DatumZeigen(const Datum& datum) {
    datum_ = datum;
    datumE_->setDate(QDate(datum.Jahr, datum.Monat, datum.Tag));
}

void TVertretungenForm::DatumWaehlen(const Datum& datum) {
    datumE_->setDate(QDate(datum.Jahr, datum.Monat, datum.Tag));
    DatumGewaehlt();
}

void TVertretungenForm::DatumGewaehlt() {
    const Datum neu = AlsDatum(datumE_->date());
    if (!plan_ || neu == datum_) return;
    const int tag = SchultagAm(neu, plan_->Tage);
    if (tag < 0) {
        DatumZeigen(datum_);
        reporter_.Show({KeinSchultag(neu, plan_->Tage), titel::Fehler});
        return;
    }
    // Outside the term or in the holidays there is nothing to plan.
    if (const std::optional<std::string> nein = DatumAblehnung(*plan_, neu)) {
        DatumZeigen(datum_);
        reporter_.Show({*nein, titel::Fehler});
        return;
    }
    Leeren();
    datum_ = neu;
    tagVomDatum_ = true;
    tagCoBox_->setCurrentIndex(tag);
    tagVomDatum_ = false;
}

void TVertretungenForm::Oeffnen(const CPlan& plan, Stammdaten& stamm, const std::string& journal) {
    Fuellen(plan, stamm, journal);
    show();
    raise();
    activateWindow();
}

void TVertretungenForm::PlanWeg() {
    close();
    Leeren();
    plan_ = nullptr;
    stamm_ = nullptr;
    laden_ = true;
    lehrerCBox_->clear();
    tagCoBox_->clear();
    laden_ = false;
}

void TVertretungenForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // Closing (also by Escape) ends the list; a minimised window keeps it.
    if (event->spontaneous()) return;
    Leeren();
    // The lock goes with the window: another instance may now write the journal.
    journal_.reset();
}

void TVertretungenForm::LehrerGeklickt(QListWidgetItem* item) {
    if (laden_ || !stamm_) return;
    SetzeAbwesend(*stamm_, lehrerCBox_->row(item), item->checkState() == Qt::Checked);
    // Unticked: the day the tick recorded in the journal goes again (a longer absence stays).
    if (journal_ && journal_->Bearbeitbar() && item->checkState() == Qt::Unchecked &&
        journal_->Daten().TagAustragen(AbwesenheitsArt::Lehrer,
                                       plan_->LehrerAt(lehrerCBox_->row(item)).Name, datum_) > 0)
        Sichern();
    Leeren();
}

void TVertretungenForm::Leeren() {
    tag_.reset();
    liste_.Leeren();
    Anzeigen();
}

void TVertretungenForm::Anzeigen() {
    // Row 0 of the list is the header; the grid shows it as its column heads.
    vertretungG_->clearContents();
    vertretungG_->setRowCount(Liste().Anzahl() - 1);
    for (int zeile = 1; zeile < Liste().Anzahl(); ++zeile)
        ZeileZeigen(zeile);
    if (vertretungG_->rowCount() > 0) vertretungG_->selectRow(0);
}

void TVertretungenForm::ZeileZeigen(int zeile) {
    const VertretungsZeile& z = Liste().Zeilen()[zeile];
    for (int c = 0; c < vertretungG_->columnCount(); ++c)
        vertretungG_->setItem(zeile - 1, c, new QTableWidgetItem(Q(z.Spalten[c])));
}

int TVertretungenForm::GewaehlteZeile() const {
    const int r = vertretungG_->currentRow();
    return r >= 0 && r < vertretungG_->rowCount() ? r + 1 : 0;
}

void TVertretungenForm::ZeileWaehlen(int zeile) {
    vertretungG_->selectRow(zeile - 1);
}

void TVertretungenForm::StundenErmittelnBtnClick() {
    if (!plan_) return;
    if (!journal_) {
        liste_.Ermitteln(*plan_, tagCoBox_->currentIndex());
        Anzeigen();
        return;
    }
    if (const std::optional<std::string> nein = DatumAblehnung(*plan_, datum_)) {
        reporter_.Show({*nein, titel::Fehler});
        return;
    }
    AbwesendeEintragen();
    tag_ = std::make_unique<Vertretungstag>(*plan_, journal_->Daten(), datum_);
    tag_->Ermitteln();
    Anzeigen();
}

void TVertretungenForm::AbwesendeEintragen() {
    const TagesLage lage = LageAm(*plan_, journal_->Daten(), datum_);
    bool neu = false;
    for (int t : AbwesendeLehrer(*plan_)) {
        if (lage.Lehrer[static_cast<std::size_t>(t)] != 0) continue;
        journal_->Daten().Eintragen({AbwesenheitsArt::Lehrer, plan_->LehrerAt(t).Name, datum_,
                                     datum_, -1, -1, S(grundCoBox_->currentText())});
        neu = true;
    }
    if (neu) Sichern();
}

const std::vector<int>* TVertretungenForm::Fehlend() {
    if (!tag_) return nullptr;
    fehlend_ = tag_->Abwesende();
    return &fehlend_;
}

bool TVertretungenForm::Schreibbar() {
    if (!journal_ || journal_->Bearbeitbar()) return true;
    reporter_.Show({"Das Vertretungsjournal " + journal_->Pfad() +
                        " ist nur zum Lesen geöffnet; es wird nichts entschieden.",
                    titel::Journal});
    return false;
}

void TVertretungenForm::Sichern() {
    if (journal_ && journal_->Bearbeitbar()) journal_->Speichern(reporter_);
}

void TVertretungenForm::VertretungsWahlBtnClick() {
    const int zeile = GewaehlteZeile();
    if (!plan_ || !Liste().HatStunde(zeile)) return;
    if (tag_) {
        if (!Schreibbar()) return;
        const std::vector<Kandidat> kandidaten = tag_->Kandidaten(zeile);
        if (kandidaten.empty()) return; // nothing to decide: the lesson falls out
        wahl_->Fuellen(WahlFuer(*plan_, Liste().Zeilen()[zeile]), kandidaten);
        if (!desktop_.Run(*wahl_)) return;
        const int gewaehlt = wahl_->GewaehlteZeile();
        if (gewaehlt < 0 || gewaehlt >= static_cast<int>(kandidaten.size())) return;
        if (tag_->Waehlen(zeile, kandidaten[gewaehlt], reporter_) != WahlErgebnis::Gesetzt) return;
        ZeileZeigen(zeile);
        Sichern();
        return;
    }
    const WahlListe wahl = WahlFuer(*plan_, liste_.Zeilen()[zeile]);
    wahl_->Fuellen(wahl);
    if (!desktop_.Run(*wahl_)) return;
    const int gewaehlt = wahl_->GewaehlteZeile();
    if (gewaehlt < 0 || gewaehlt >= static_cast<int>(wahl.Zeilen.size())) return;
    if (liste_.Waehlen(zeile, wahl.Zeilen[gewaehlt], reporter_) == WahlErgebnis::Gesetzt)
        ZeileZeigen(zeile);
}

void TVertretungenForm::AusfallBtnClick() {
    const int zeile = GewaehlteZeile();
    if (tag_ && !Schreibbar()) return;
    if (tag_ ? tag_->Ausfall(zeile) : liste_.Ausfall(zeile)) ZeileZeigen(zeile);
    if (tag_) Sichern();
}

void TVertretungenForm::LoeschenBtnClick() {
    const int zeile = GewaehlteZeile();
    if (tag_ && !Schreibbar()) return;
    if (tag_ ? tag_->Loeschen(zeile) : liste_.Loeschen(zeile)) ZeileZeigen(zeile);
    if (tag_) Sichern();
}

void TVertretungenForm::AusgabeBtnClick() {
    if (!plan_) return;
    if (druckerRB_->isChecked()) {
        Drucker();
        return;
    }
    if (webseiteRB_->isChecked()) {
        Webseite();
        return;
    }
    const QString ziel = desktop_.ChooseFile(this, WordDatei("Vertretungsplan speichern"));
    if (ziel.isEmpty()) return;
    AnzeigeMerker anzeige(desktop_);
    CWord word(S(ziel), DefaultFileOps(), anzeige);
    if (!SchreibeVertretungsplan(*plan_, Liste(), datum_, word, reporter_, Fehlend()) ||
        anzeige.angezeigt)
        return;
    reporter_.Show({S(QString::fromUtf8("Der Vertretungsplan wurde gespeichert unter „%1“; es "
                                        "konnte kein Programm zum Anzeigen gestartet werden.")
                          .arg(QDir::toNativeSeparators(ziel))),
                    titel::Hinweis});
}

// "Drucker": the same document as for Word, built in a scratch folder, laid out and printed.
void TVertretungenForm::Drucker() {
    QTemporaryDir ordner;
    NoOpener keiner;
    CWord word(S(ordner.filePath("vertretungsplan.docx")), DefaultFileOps(), keiner);
    if (!SchreibeVertretungsplan(*plan_, Liste(), datum_, word, reporter_, Fehlend())) return;
    QTextDocument doc;
    doc.setHtml(DokumentAlsHtml(word.Doc()));
    const QString wohin = desktop_.Print(this, doc, PageOrientation::Portrait);
    if (!wohin.isEmpty())
        reporter_.Show(
            {S(QString::fromUtf8("Der Vertretungsplan wurde %1.").arg(wohin)), titel::Hinweis});
}

void TVertretungenForm::Webseite() {
    DateiDialog d;
    d.Titel = "Ordner der Webseite";
    d.NurOrdner = true;
    const QString ordner = desktop_.ChooseFile(this, d);
    if (ordner.isEmpty()) return;
    const std::string name = VertretungsDateiName(datum_);
    const std::vector<WebDatei> seite = {{name, VertretungsSeite(*plan_, Liste(), datum_)}};
    if (!Veroeffentliche(*plan_, WebseitenOptionen::Alle(*plan_),
                         S(QDir::fromNativeSeparators(ordner)), seite, reporter_, true)
             .Ok)
        return;
    reporter_.Show({S(QString::fromUtf8("Der Vertretungsplan steht als „%1“ in der Webseite im "
                                        "Ordner „%2“.")
                          .arg(Q(name), QDir::toNativeSeparators(ordner))),
                    titel::Hinweis});
}

void TVertretungenForm::AbwesenheitenBtnClick() {
    if (!plan_) return;
    if (!journal_) {
        reporter_.Show({"Ohne Vertretungsjournal werden keine Abwesenheiten aufbewahrt. Speichern "
                        "Sie die Schule, dann wird das Journal neben ihr geführt.",
                        titel::Hinweis});
        return;
    }
    abwesenheiten_->Fuellen(*plan_, *journal_, datum_);
    desktop_.Run(*abwesenheiten_);
    // The date's lessons are determined anew from the changed absences.
    if (abwesenheiten_->Geaendert()) Leeren();
}

void TVertretungenForm::StatistikBtnClick() {
    if (!plan_) return;
    if (!journal_) {
        reporter_.Show(
            {"Ohne Vertretungsjournal gibt es keine Statistik. Speichern Sie die Schule, "
             "dann wird das Journal neben ihr geführt.",
             titel::Hinweis});
        return;
    }
    const Statistik st = BerechneStatistik(*plan_, journal_->Daten());
    QDialog fenster(this);
    fenster.setObjectName("StatistikForm");
    fenster.setWindowTitle("Vertretungsstatistik");
    auto* tabelle = new QTableWidget(0, 6, &fenster);
    tabelle->setObjectName("StatistikG");
    tabelle->setHorizontalHeaderLabels(
        {"Art", "Name", "Monat", Q("Versäumt"), "Vertreten", "Ausgefallen"});
    tabelle->verticalHeader()->hide();
    tabelle->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    tabelle->horizontalHeader()->setStretchLastSection(true);
    tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto zeile = [tabelle](const char* art, const std::string& name, const QString& monat,
                           const StatistikZahlen& z) {
        const int r = tabelle->rowCount();
        tabelle->insertRow(r);
        const QString zellen[] = {art,
                                  Q(name),
                                  monat,
                                  QString::number(z.Versaeumt),
                                  QString::number(z.Vertreten),
                                  QString::number(z.Ausgefallen)};
        for (int c = 0; c < 6; ++c)
            tabelle->setItem(r, c, new QTableWidgetItem(zellen[c]));
    };
    for (const auto* gruppe : {&st.Lehrer, &st.Klassen})
        for (const StatistikZeile& z : *gruppe) {
            const char* art = gruppe == &st.Lehrer ? "Lehrer" : "Klasse";
            zeile(art, z.Name, "gesamt", z.Gesamt);
            for (const auto& [monat, m] : z.ProMonat)
                zeile(art, z.Name, Q(monat), m);
        }
    tabelle->resizeColumnsToContents();
    auto* titelL = new QLabel(
        Q("Zeitraum: " + st.Von.DeutscherText() + " bis " + st.Bis.DeutscherText()), &fenster);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Close, &fenster);
    auto* csv = knoepfe->addButton(Q("Als CSV speichern"), QDialogButtonBox::ActionRole);
    csv->setObjectName("CsvBtn");
    connect(knoepfe, &QDialogButtonBox::rejected, &fenster, &QDialog::reject);
    connect(csv, &QPushButton::clicked, &fenster, [&] {
        const QString ziel = desktop_.ChooseFile(
            &fenster, {true, "Statistik speichern", "CSV - Dateien (*.csv)", "csv", {}});
        if (ziel.isEmpty()) return;
        const std::string text = StatistikCsv(st);
        const FileResult r =
            DefaultFileOps().WriteReplacing(S(ziel), Utf8ToCp1252(text).value_or(text));
        if (!r)
            reporter_.Show(
                {"Fehler beim Speichern der Datei: " + S(ziel) + "\n" + r.Reason, titel::Fehler});
    });
    auto* layout = new QVBoxLayout(&fenster);
    layout->addWidget(titelL);
    layout->addWidget(tabelle, 1);
    layout->addWidget(knoepfe);
    fenster.resize(640, 480);
    desktop_.Run(fenster);
}

void TVertretungenForm::SchnappschussBtnClick() {
    emit SchnappschussVerlangt();
}

} // namespace sw::ui
