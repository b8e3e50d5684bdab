// SPDX-License-Identifier: GPL-3.0-or-later
// KurvenAnzeige.h: the curve of the running stage's target figure over its passes, painted by
// hand. The planning window records one value per pass and starts a new curve with every stage
// and every "Mischen"; it repaints only a few times a second, the curve keeps every value.
#pragma once
#include <QString>
#include <QWidget>
#include <vector>

namespace sw::ui {

class KurvenAnzeige : public QWidget {
    Q_OBJECT
public:
    explicit KurvenAnzeige(QWidget* parent = nullptr);
    // A new curve named `name` (the figure it shows); the old values are dropped.
    void Neu(const QString& name);
    // Records a value and repaints.
    void Hinzu(int wert);
    // Records a value without repainting; update() shows it.
    void Merken(int wert) { werte_.push_back(wert); }
    const std::vector<int>& Werte() const { return werte_; }
    const QString& Name() const { return name_; }
    // The area the curve is drawn in; left of it the axis labels, as wide as the longest one.
    QRect Feld() const;
    QSize sizeHint() const override { return {360, 140}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString name_;
    std::vector<int> werte_;
};

} // namespace sw::ui
