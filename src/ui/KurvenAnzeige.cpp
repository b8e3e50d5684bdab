// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/KurvenAnzeige.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace sw::ui {

namespace {
// Long runs keep every value but draw at most this many points.
constexpr std::size_t kMaxPunkte = 2000;
} // namespace

KurvenAnzeige::KurvenAnzeige(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 100);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void KurvenAnzeige::Neu(const QString& name) {
    name_ = name;
    werte_.clear();
    update();
}

void KurvenAnzeige::Hinzu(int wert) {
    werte_.push_back(wert);
    update();
}

void KurvenAnzeige::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect feld = rect().adjusted(44, 26, -10, -14);
    p.setPen(Qt::black);
    const QString titel =
        werte_.empty()
            ? name_
            : name_ + QStringLiteral(": %1 (Durchgang %2)").arg(werte_.back()).arg(werte_.size());
    p.drawText(rect().adjusted(6, 2, -6, 0), Qt::AlignLeft | Qt::AlignTop, titel);
    if (werte_.empty() || feld.width() < 2 || feld.height() < 2) return;

    const auto [lo, hi] = std::minmax_element(werte_.begin(), werte_.end());
    const int min = *lo;
    const int max = std::max(*hi, min + 1);
    p.drawText(QRect(2, feld.top() - 7, 36, 14), Qt::AlignRight, QString::number(max));
    p.drawText(QRect(2, feld.bottom() - 7, 36, 14), Qt::AlignRight, QString::number(min));
    p.setPen(QColor(200, 200, 200));
    p.drawLine(feld.bottomLeft(), feld.bottomRight());
    p.drawLine(feld.topLeft(), feld.bottomLeft());

    const std::size_t n = werte_.size();
    const std::size_t schritt = std::max<std::size_t>(1, n / kMaxPunkte);
    QPainterPath pfad;
    for (std::size_t i = 0; i < n; i += schritt) {
        const double x = feld.left() + (n == 1 ? 0.0 : double(i) * feld.width() / double(n - 1));
        const double y =
            feld.bottom() - double(werte_[i] - min) * feld.height() / double(max - min);
        if (i == 0)
            pfad.moveTo(x, y);
        else
            pfad.lineTo(x, y);
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 200), 2));
    p.drawPath(pfad);
}

} // namespace sw::ui
