// SPDX-License-Identifier: GPL-3.0-or-later
// THilfeForm.h: the context-help window. "Direkthilfe" puts a title into its caption and an
// explanation into its text box `HilfeRE`; "Schließen" hides it. Created once, shown as needed.
#pragma once
#include <QDialog>

class QTextEdit;

namespace sw::ui {

class THilfeForm : public QDialog {
    Q_OBJECT
public:
    explicit THilfeForm(QWidget* parent = nullptr);
    // Replaces the caption and the text and shows the window.
    void Zeigen(const QString& titel, const QString& text);
    QString Text() const;

private:
    QTextEdit* hilfeRE_;
};

} // namespace sw::ui
