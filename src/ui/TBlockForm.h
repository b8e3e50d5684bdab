// SPDX-License-Identifier: GPL-3.0-or-later
// TBlockForm.h: the dialog "Stunden - Block definieren" of the lesson window: it names the teacher,
// the class and the subject or course of the new block and asks for its weekly hours. For a
// course the hours are the course's and the field is disabled. The dialog only asks; the lesson
// window hands the text to the core, which checks it.
#pragma once
#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace sw::ui {

class TBlockForm : public QDialog {
    Q_OBJECT
public:
    explicit TBlockForm(QWidget* parent = nullptr);

    // Fills the labels; `kursStunden` set means a course: the field shows its hours, disabled.
    // A subject gets an empty, enabled field.
    void Fuellen(const QString& lehrer, const QString& klasse, const QString& fachKurs,
                 std::optional<int> kursStunden);
    // The hours as typed.
    QString Stunden() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* bStundenE_;
    QLabel* lehrerLabel_;
    QLabel* klassenLabel_;
    QLabel* fachKursLabel_;
};

} // namespace sw::ui
