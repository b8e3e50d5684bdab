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
constexpr int kStandardPosition = 100;

int Zahl(const IniFile& ini, const QString& key) {
    return ini.GetInt("windows", S(key), kStandardPosition);
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
    positionen_.assign(fenster_.size(), QPoint(kStandardPosition, kStandardPosition));
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

QPoint TProgrammOptionenForm::Position(const QString& name) const {
    for (std::size_t i = 0; i < fenster_.size(); ++i)
        if (fenster_[i].Name == name)
            return fenster_[i].Widget ? fenster_[i].Widget->pos() : positionen_[i];
    return {};
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
    return files_.WriteReplacing(S(KonfigDatei()), ini.HandEditedBytes());
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
        const QPoint p(Zahl(*ini, fenster_[i].Name + "_L"), Zahl(*ini, fenster_[i].Name + "_T"));
        positionen_[i] = p;
        if (fenster_[i].Widget) fenster_[i].Widget->move(p);
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
        const QPoint p = fenster_[i].Widget ? fenster_[i].Widget->pos() : positionen_[i];
        ini->SetString("windows", S(fenster_[i].Name + "_L"), std::to_string(p.x()));
        ini->SetString("windows", S(fenster_[i].Name + "_T"), std::to_string(p.y()));
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
