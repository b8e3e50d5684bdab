// SPDX-License-Identifier: GPL-3.0-or-later
// KurvenAnzeige.h: the curve of the running stage's target figure over its passes, painted by
// hand. The planning window records one value per pass and starts a new curve with every stage
// and every "Mischen"; it repaints only a few times a second, the curve keeps every value.
//
//   Lehrer-Leerstunden: 114                     caption: the figure and its last value
//   180 |\_
//       |  \___
//   114 |      \______
//       +-------------
//                Durchgang 2688               the last pass, numbered as the pass counter
//                                             beside the curve numbers it (from 0); attempts
//                                             of the initial plan as "Versuche" counts them
#pragma once
#include <QString>
#include <QWidget>
#include <vector>

namespace sw::ui {

class KurvenAnzeige : public QWidget {
    Q_OBJECT
public:
    explicit KurvenAnzeige(QWidget* parent = nullptr);
    // What one value of the curve stands for: a pass of a stage, numbered from 0 as the pass
    // counter numbers it, or an attempt of the initial plan, counted from 1.
    enum class Zaehlung { Durchgang, Versuch };

    // A new curve named `name` (the figure it shows); the old values are dropped.
    void Neu(const QString& name, Zaehlung zaehlung = Zaehlung::Durchgang);
    // Records a value and repaints.
    void Hinzu(int wert);
    // Records a value without repainting; update() shows it.
    void Merken(int wert) { werte_.push_back(wert); }
    // The attempts made so far, for a curve of attempts (it may record several values in one
    // attempt).
    void SetVersuche(int versuche) { versuche_ = versuche; }
    const std::vector<int>& Werte() const { return werte_; }
    const QString& Name() const { return name_; }
    // The caption: the name and the last value ("Rest: 94"); the name alone without values.
    QString Titel() const;
    // Below the end of the axis: the last pass or attempt ("Durchgang 2688", "Versuch 44");
    // empty without values.
    QString Achse() const;
    // The area the curve is drawn in; left of it the axis labels, as wide as the longest one.
    QRect Feld() const;
    QSize sizeHint() const override { return {360, 140}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString name_;
    Zaehlung zaehlung_ = Zaehlung::Durchgang;
    int versuche_ = 0;
    std::vector<int> werte_;
};

} // namespace sw::ui
