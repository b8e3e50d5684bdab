// SPDX-License-Identifier: GPL-3.0-or-later
// TRaumSetzenForm.h: the room dialog of "Raum setzen ...": the rooms the selected hour may take
// at its time. The list comes from the editor (the hour's candidate rooms, or every room with
// "Alle Räume", each passing the placement check); the dialog only shows it and returns the room
// chosen.
#pragma once
#include <QDialog>
#include <functional>
#include <vector>

class QCheckBox;
class QListWidget;

namespace sw::ui {

class TRaumSetzenForm : public QDialog {
    Q_OBJECT
public:
    explicit TRaumSetzenForm(QWidget* parent = nullptr);

    // The rooms to list: `waehlbar(alleRaeume)` gives master-data room indices, `namen` their
    // names. "Alle Räume" is unchecked and the list filled from the hour's own rooms.
    void Fuellen(std::function<std::vector<int>(bool)> waehlbar, std::vector<QString> namen);
    // The master-data index of the chosen room after "Ok"; -1 when none is selected.
    int GewaehlterRaum() const;

private:
    void Liste();

    QListWidget* raumL_;
    QCheckBox* alleRaeumeCB_;
    std::function<std::vector<int>(bool)> waehlbar_;
    std::vector<QString> namen_;
    std::vector<int> raeume_;
};

} // namespace sw::ui
