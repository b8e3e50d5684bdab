// SPDX-License-Identifier: GPL-3.0-or-later
// TImportBerichtForm.h: the report of an import, shown once the school is read: its head with the
// figures, then what was carried over, approximated and dropped, read-only in `BerichtRE`.
// "Bericht speichern..." writes the text into a file the planner names; "OK" closes the window.
#pragma once
#include "exchange/Import.h"
#include "io/FileOps.h"
#include "model/Report.h"

#include <QDialog>

class QPlainTextEdit;

namespace sw::ui {

class Desktop;

class TImportBerichtForm : public QDialog {
    Q_OBJECT
public:
    TImportBerichtForm(Reporter& reporter, Desktop& desktop, FileOps& files,
                       QWidget* parent = nullptr);

    // Shows `report`, from its first line.
    void Fuellen(const ImportReport& report);
    QString Text() const;

public slots:
    // Asks for a file (a text file beside the source read) and writes the report into it; a
    // failure is shown over this window.
    void SpeichernBtnClick();

private:
    Reporter& reporter_;
    Desktop& desktop_;
    FileOps& files_;
    ImportReport report_;
    QPlainTextEdit* berichtRE_;
};

} // namespace sw::ui
