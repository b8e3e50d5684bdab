// SPDX-License-Identifier: GPL-3.0-or-later
// THilfeForm.h: the context-help window. "Direkthilfe" puts a title into its caption and an
// explanation into its text box `HilfeRE`; "Schließen" hides it. Created once, shown as needed.
// Asked from a modal dialog it becomes a window of that dialog while it is open, so that the
// dialog's modality does not block it and it stays in front of the dialog; when the dialog
// closes it returns to its owner and stays open.
#pragma once
#include <QDialog>

class QTextEdit;

namespace sw::ui {

class THilfeForm : public QDialog {
    Q_OBJECT
public:
    explicit THilfeForm(QWidget* parent = nullptr);
    // Replaces the caption and the text and shows the window in front. `dialog` is the modal
    // dialog the help is asked from, or nullptr.
    void Zeigen(const QString& titel, const QString& text, QWidget* dialog = nullptr);
    QString Text() const;

protected:
    // The dialog it belongs to for the moment is hidden or goes away: back to the owner.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Umziehen(QWidget* eltern);

    QTextEdit* hilfeRE_;
    // The owner it was created with (the main window); it returns there when asked from none.
    QWidget* besitzer_;
};

} // namespace sw::ui
