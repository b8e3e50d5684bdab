// SPDX-License-Identifier: GPL-3.0-or-later
// TNeuForm.h: the small modal input windows of the master-data dialogs: TNeuForm asks for one
// name, TNeuNameForm for a name and its short form, TNeuKursForm for a course's name, short form
// and hours per week. They only ask: the texts go to the core as typed, which cuts, trims and
// checks them. Each opens 20 pixels right of and below the dialog that calls it.
#pragma once
#include <QDialog>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sw::ui {

// The common part: caption, prompt, the name field and OK/"Abbrechen".
class TEingabeForm : public QDialog {
    Q_OBJECT
public:
    // Caption, prompt and the prefilled name; placed beside `rufer`.
    void Vorbereiten(QWidget* rufer, const QString& titel, const QString& prompt,
                     const QString& name = {});
    QString Name() const;
    QString Prompt() const;

protected:
    TEingabeForm(QWidget* parent, const char* objektName);
    void showEvent(QShowEvent* event) override;
    // Adds a labelled field below the name field.
    QLineEdit* Feld(const char* name, const QString& beschriftung, const QString& zusatz = {});

private:
    QLabel* promptL_;
    QLineEdit* nameE_;
    QLineEdit* letztesFeld_; // the field Tab leaves for OK
    QPushButton* ok_;
    QPushButton* abbrechen_;
    QFormLayout* form_;
};

class TNeuForm : public TEingabeForm {
    Q_OBJECT
public:
    explicit TNeuForm(QWidget* parent = nullptr);
};

class TNeuNameForm : public TEingabeForm {
    Q_OBJECT
public:
    explicit TNeuNameForm(QWidget* parent = nullptr);
    void SetKurz(const QString& kurz);
    QString Kurz() const;

private:
    QLineEdit* kurzE_;
};

class TNeuKursForm : public TEingabeForm {
    Q_OBJECT
public:
    explicit TNeuKursForm(QWidget* parent = nullptr);
    void SetKurz(const QString& kurz);
    void SetStunden(const QString& stunden);
    QString Kurz() const;
    QString Stunden() const;
    // Plan mode: the hours stay as they are.
    void SetEditable(bool editable);

private:
    QLineEdit* kurzE_;
    QLineEdit* bStundenE_;
};

} // namespace sw::ui
