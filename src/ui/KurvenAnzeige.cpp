// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/KurvenAnzeige.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace sw::ui {

namespace {
// Long runs keep every value but draw at most this many points.
constexpr std::size_t kMaxPunkte = 2000;
// Space between the axis labels and the curve, and around the widget's edge.
constexpr int kAbstand = 6;

// The smallest and largest value; the range is at least 1.
std::pair<int, int> Bereich(const std::vector<int>& werte) {
    if (werte.empty()) return {0, 1};
    const auto [lo, hi] = std::minmax_element(werte.begin(), werte.end());
    return {*lo, std::max(*hi, *lo + 1)};
}
} // namespace

KurvenAnzeige::KurvenAnzeige(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 100);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void KurvenAnzeige::Neu(const QString& name, Zaehlung zaehlung) {
    name_ = name;
    zaehlung_ = zaehlung;
    versuche_ = 0;
    werte_.clear();
    update();
}

QString KurvenAnzeige::Titel() const {
    return werte_.empty() ? name_ : name_ + ": " + QString::number(werte_.back());
}

QString KurvenAnzeige::Achse() const {
    if (werte_.empty()) return {};
    if (zaehlung_ == Zaehlung::Versuch) return QString("Versuch %1").arg(versuche_);
    return QString("Durchgang %1").arg(static_cast<long long>(werte_.size()) - 1);
}

void KurvenAnzeige::Hinzu(int wert) {
    werte_.push_back(wert);
    update();
}

QRect KurvenAnzeige::Feld() const {
    const QFontMetrics fm = fontMetrics();
    const auto [min, max] = Bereich(werte_);
    const int beschriftung = std::max(fm.horizontalAdvance(QString::number(min)),
                                      fm.horizontalAdvance(QString::number(max)));
    const int oben = fm.height() + kAbstand + fm.height() / 2;
    return rect().adjusted(kAbstand + beschriftung + kAbstand, oben, -10, -fm.height());
}

void KurvenAnzeige::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect feld = Feld();
    p.setPen(Qt::black);
    const QRect kopf = rect().adjusted(kAbstand, 2, -kAbstand, 0);
    p.drawText(kopf, Qt::AlignLeft | Qt::AlignTop,
               fontMetrics().elidedText(Titel(), Qt::ElideRight, kopf.width()));
    if (werte_.empty() || feld.width() < 2 || feld.height() < 2) return;
    p.drawText(QRect(feld.left(), feld.bottom() + 1, feld.width(), fontMetrics().height()),
               Qt::AlignRight | Qt::AlignTop, Achse());

    const std::pair<int, int> bereich = Bereich(werte_);
    const int min = bereich.first;
    const int max = bereich.second;
    const int h = fontMetrics().height();
    const int breite = feld.left() - 2 * kAbstand;
    p.drawText(QRect(kAbstand, feld.top() - h / 2, breite, h), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(max));
    p.drawText(QRect(kAbstand, feld.bottom() - h / 2, breite, h), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(min));
    p.setPen(QColor(200, 200, 200));
    p.drawLine(feld.bottomLeft(), feld.bottomRight());
    p.drawLine(feld.topLeft(), feld.bottomLeft());

    const std::size_t n = werte_.size();
    const std::size_t schritt = std::max<std::size_t>(1, n / kMaxPunkte);
    auto punkt = [&](std::size_t i) {
        const double x = feld.left() + (n == 1 ? 0.0 : double(i) * feld.width() / double(n - 1));
        const double y =
            feld.bottom() - double(werte_[i] - min) * feld.height() / double(max - min);
        return QPointF(x, y);
    };
    QPainterPath pfad(punkt(0));
    for (std::size_t i = schritt; i < n; i += schritt)
        pfad.lineTo(punkt(i));
    // The last value always ends the line.
    if ((n - 1) % schritt != 0) pfad.lineTo(punkt(n - 1));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 200), 2));
    p.drawPath(pfad);
}

} // namespace sw::ui
