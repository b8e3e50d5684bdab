// SPDX-License-Identifier: GPL-3.0-or-later
// TProgrammOptionenForm.h: the program options: the help folder, the positions of the nine
// windows and whether they are loaded at every start, kept in config.ini in the start folder.
// Windows the program does not have keep the positions read for them, so saving writes them
// again. A window without a saved position opens centred over its parent; saving skips a window
// that was never shown or placed, so that it stays so.
#pragma once
#include "files/Ini.h"
#include "io/FileOps.h"
#include "model/Report.h"

#include <QDialog>
#include <QPoint>
#include <optional>
#include <vector>

class QCheckBox;
class QLineEdit;

namespace sw::ui {

class TProgrammOptionenForm : public QDialog {
    Q_OBJECT
public:
    TProgrammOptionenForm(Reporter& reporter, const QString& startOrdner, QWidget* parent = nullptr,
                          FileOps& files = DefaultFileOps());

    struct Fenster {
        QString Name; // key prefix: "Form1", "Fach", ...
        QWidget* Widget = nullptr;
    };
    void SetFenster(std::vector<Fenster> fenster);
    // The main window's help path, edited through HelpPathE.
    void SetHilfePfad(QString* pfad);
    QString KonfigDatei() const;
    // A window's position: where it stands once it was moved or shown, else the one read for
    // it; nothing for a window without either (it opens centred over its parent).
    std::optional<QPoint> Position(const QString& name) const;

    // Opens the dialog modally; Cancel puts help path and check box back.
    int Ausfuehren();
    // The startup check: loads the options when config.ini asks for it.
    void StartPruefung();

    static constexpr const char* kLesen = "Fehler beim Lesen der Konfigurations - Datei.";
    static constexpr const char* kSchreiben =
        "Fehler beim Schreiben in die Konfigurations - Datei.";
    static constexpr const char* kErstellen = "Fehler beim Erstellen der Konfigurations - Datei.";

public slots:
    void OptionenLadenClick();
    void OptionenSpeichernClick();
    void accept() override;

private:
    // The file as text; an empty one when it does not exist; nullopt when it cannot be read.
    std::optional<IniFile> Lesen();
    bool Schreiben(const IniFile& ini);
    QString StandardHilfe() const;

    Reporter& reporter_;
    FileOps& files_;
    QString startOrdner_;
    QString* hilfePfad_ = nullptr;
    std::vector<Fenster> fenster_;
    std::vector<std::optional<QPoint>> positionen_; // read from the file, per window
    QLineEdit* helpPathE_;
    QCheckBox* optionenLadenCB_;
};

} // namespace sw::ui
