// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TProgrammOptionenForm.h"

#include "ui/QtReporter.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sw::ui {

namespace {
// A coordinate of the section "windows"; nothing when the key is missing or holds no number.
std::optional<int> Zahl(const IniFile& ini, const QString& key) {
    bool ok = false;
    const int n = Q(ini.GetString("windows", S(key))).trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

// Whether a window has a place of its own: moved there, by the options or by the planner, or
// placed by Qt when it was first shown. A window that has none opens centred over its parent.
bool HatPosition(const QWidget* w) {
    return w->testAttribute(Qt::WA_Moved) || w->isVisible() ||
           w->testAttribute(Qt::WA_WState_Created);
}
} // namespace

TProgrammOptionenForm::TProgrammOptionenForm(Reporter& reporter, const QString& startOrdner,
                                             QWidget* parent, FileOps& files)
    : QDialog(parent), reporter_(reporter), files_(files), startOrdner_(startOrdner) {
    setObjectName("ProgrammOptionenForm");
    setWindowTitle("Programm - Optionen");
    helpPathE_ = new QLineEdit(this);
    helpPathE_->setObjectName("HelpPathE");
    optionenLadenCB_ = new QCheckBox("Optionen bei jedem Programmstart laden", this);
    optionenLadenCB_->setObjectName("OptionenLadenCB");
    auto* ok = new QPushButton("Ok", this);
    ok->setObjectName("OkBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelBtn");
    auto* laden = new QPushButton("Optionen Laden", this);
    laden->setObjectName("OptionenLadenBtn");
    auto* speichern = new QPushButton("Optionen Speichern", this);
    speichern->setObjectName("OptionenSpeichernBtn");
    connect(ok, &QPushButton::clicked, this, &TProgrammOptionenForm::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(laden, &QPushButton::clicked, this, &TProgrammOptionenForm::OptionenLadenClick);
    connect(speichern, &QPushButton::clicked, this, &TProgrammOptionenForm::OptionenSpeichernClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Pfad für die HTML - Hilfe:", this));
    layout->addWidget(helpPathE_);
    layout->addWidget(optionenLadenCB_);
    auto* dateien = new QHBoxLayout;
    dateien->addWidget(laden);
    dateien->addWidget(speichern);
    layout->addLayout(dateien);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(ok);
    knoepfe->addWidget(cancel);
    layout->addLayout(knoepfe);
    resize(420, 160);
}

void TProgrammOptionenForm::SetFenster(std::vector<Fenster> fenster) {
    fenster_ = std::move(fenster);
    positionen_.assign(fenster_.size(), std::nullopt);
}

void TProgrammOptionenForm::SetHilfePfad(QString* pfad) {
    hilfePfad_ = pfad;
    helpPathE_->setText(*pfad);
}

QString TProgrammOptionenForm::KonfigDatei() const {
    return startOrdner_ + "/config.ini";
}

// The help pages lie in help/ beside the program.
QString TProgrammOptionenForm::StandardHilfe() const {
    return QCoreApplication::applicationDirPath() + "/help";
}

std::optional<QPoint> TProgrammOptionenForm::Position(const QString& name) const {
    for (std::size_t i = 0; i < fenster_.size(); ++i) {
        if (fenster_[i].Name != name) continue;
        const QWidget* w = fenster_[i].Widget;
        if (w && HatPosition(w)) return w->pos();
        return positionen_[i];
    }
    return std::nullopt;
}

std::optional<IniFile> TProgrammOptionenForm::Lesen() {
    const std::string pfad = S(KonfigDatei());
    // A folder of that name cannot be read as the file.
    if (QFileInfo(KonfigDatei()).isDir()) return std::nullopt;
    if (!files_.Exists(pfad)) return IniFile::ReadHandEdited({});
    const FileContent text = files_.ReadAll(pfad);
    if (!text.bytes) return std::nullopt;
    // People edit the file by hand: blanks, a byte-order mark and "ja"/"true" are understood.
    return IniFile::ReadHandEdited(*text.bytes);
}

bool TProgrammOptionenForm::Schreiben(const IniFile& ini) {
    return files_.WriteReplacing(S(KonfigDatei()), ini.HandEditedBytes()).Ok();
}

int TProgrammOptionenForm::Ausfuehren() {
    const QString altPfad = hilfePfad_ ? *hilfePfad_ : QString();
    const bool altLaden = optionenLadenCB_->isChecked();
    helpPathE_->setText(altPfad);
    const int ergebnis = exec();
    if (ergebnis != QDialog::Accepted) {
        if (hilfePfad_) *hilfePfad_ = altPfad;
        helpPathE_->setText(altPfad);
        optionenLadenCB_->setChecked(altLaden);
    }
    return ergebnis;
}

void TProgrammOptionenForm::StartPruefung() {
    const auto ini = Lesen();
    if (!ini) {
        reporter_.Show({kLesen, titel::Fehler});
        return;
    }
    if (!ini->GetFlag("Options", "Laden", false)) return;
    OptionenLadenClick();
    optionenLadenCB_->setChecked(true);
}

void TProgrammOptionenForm::OptionenLadenClick() {
    const auto ini = Lesen();
    if (!ini) {
        reporter_.Show({kErstellen, titel::Fehler});
        return;
    }
    const QString pfad = Q(ini->GetString("Help", "Path", S(StandardHilfe())));
    helpPathE_->setText(pfad);
    if (hilfePfad_) *hilfePfad_ = pfad;
    for (std::size_t i = 0; i < fenster_.size(); ++i) {
        const auto x = Zahl(*ini, fenster_[i].Name + "_L");
        const auto y = Zahl(*ini, fenster_[i].Name + "_T");
        // Without a saved place the window keeps its own (centred over its parent).
        if (!x || !y) continue;
        positionen_[i] = QPoint(*x, *y);
        if (fenster_[i].Widget) fenster_[i].Widget->move(*positionen_[i]);
    }
}

void TProgrammOptionenForm::OptionenSpeichernClick() {
    auto ini = Lesen();
    if (!ini) {
        reporter_.Show({kErstellen, titel::Fehler});
        return;
    }
    ini->SetString("Help", "Path", S(helpPathE_->text()));
    for (std::size_t i = 0; i < fenster_.size(); ++i) {
        // A window never shown nor placed has no position yet: its keys stay as they are.
        const std::optional<QPoint> p = Position(fenster_[i].Name);
        if (!p) continue;
        ini->SetString("windows", S(fenster_[i].Name + "_L"), std::to_string(p->x()));
        ini->SetString("windows", S(fenster_[i].Name + "_T"), std::to_string(p->y()));
    }
    if (!Schreiben(*ini)) reporter_.Show({kErstellen, titel::Fehler});
}

void TProgrammOptionenForm::accept() {
    if (hilfePfad_) *hilfePfad_ = helpPathE_->text();
    auto ini = Lesen();
    if (ini) ini->SetString("Options", "Laden", optionenLadenCB_->isChecked() ? "1" : "0");
    if (!ini || !Schreiben(*ini)) reporter_.Show({kSchreiben, titel::Fehler});
    QDialog::accept();
}

} // namespace sw::ui
