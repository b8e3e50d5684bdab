// SPDX-License-Identifier: GPL-3.0-or-later
// KurvenAnzeige.h: the curve of the running stage's target figure over its passes, painted by
// hand. The planning window adds one value per pass and starts a new curve with every stage.
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
    void Hinzu(int wert);
    const std::vector<int>& Werte() const { return werte_; }
    QSize sizeHint() const override { return {360, 140}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString name_;
    std::vector<int> werte_;
};

} // namespace sw::ui
