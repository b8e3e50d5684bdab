// SPDX-License-Identifier: GPL-3.0-or-later
// Desktop.h: what the windows ask of the desktop beyond their own controls: a file chosen in a
// file dialog, a modal dialog run, a laid-out document printed, a file (a help page, a written
// document) shown with the desktop's program, today's date. It sits beside the Reporter: the
// program makes one QtDesktop and hands it to the main window, which hands it to every window
// it makes, as it does the reporter; the window tests and the tours hand in one that answers
// for the user.
#pragma once
#include "export/Document.h"
#include "substitute/Substitutions.h"

#include <QString>

class QDialog;
class QTextDocument;
class QWidget;

namespace sw::ui {

// What a file dialog is asked for.
struct DateiDialog {
    bool Speichern = false;
    QString Titel;
    QString Filter; // "Plan - Dateien (*.pdt)"
    QString Endung; // default extension without the dot
    QString Ordner;
    // A folder is chosen, not a file (Filter and Endung do not count).
    bool NurOrdner = false;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // Asks over `parent` for a file to open or to save, or for an existing folder; empty means
    // cancel. A name to save without an extension gets `dialog.Endung`.
    virtual QString ChooseFile(QWidget* parent, const DateiDialog& dialog) = 0;
    // Runs `dialog` modally; true when it was accepted.
    virtual bool Run(QDialog& dialog) = 0;
    // Prints `doc` (the system print dialog over `parent`, which also offers a PDF file) and
    // names where the pages went; empty when cancelled.
    virtual QString Print(QWidget* parent, QTextDocument& doc, PageOrientation orientation) = 0;
    // Shows the file at `path` with the desktop's program for it; false when none could be
    // started.
    virtual bool Open(const QString& path) = 0;
    virtual Datum Today() = 0;
};

// The real desktop: Qt's file and print dialogs, QDialog::exec, QDesktopServices, the clock.
class QtDesktop : public Desktop {
public:
    QString ChooseFile(QWidget* parent, const DateiDialog& dialog) override;
    bool Run(QDialog& dialog) override;
    QString Print(QWidget* parent, QTextDocument& doc, PageOrientation orientation) override;
    bool Open(const QString& path) override;
    Datum Today() override;
};

} // namespace sw::ui
