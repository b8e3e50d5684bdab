// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PlanGitter.h"

#include "ui/QtReporter.h"

#include <QBitmap>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>

namespace sw::ui {

namespace {

// The cell font: 8 points at 96 dpi, so that the rows keep their height on every screen.
constexpr int kSchriftPixel = 11;
// Width of the header column and what the day columns leave free of the grid's width.
constexpr int kKopfSpalte = 60;
constexpr int kRand = 72;

QFont Schrift(const QFont& basis, bool fett, bool unter) {
    QFont f = basis;
    f.setPixelSize(kSchriftPixel);
    f.setBold(fett);
    f.setUnderline(unter);
    return f;
}

// A pointer of 32 x 32 pixels drawn with `malen`, black with a white rim, hot spot top left.
template <typename Malen> QCursor Zeiger(Malen malen) {
    QPixmap bild(32, 32);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath pfad;
    malen(pfad);
    p.setPen(QPen(Qt::white, 3));
    p.drawPath(pfad);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawPath(pfad);
    p.end();
    return QCursor(bild, 1, 1);
}

// The arrow every pointer starts with.
void Pfeil(QPainterPath& p) {
    p.moveTo(1, 1);
    p.lineTo(1, 15);
    p.lineTo(5, 11);
    p.lineTo(9, 18);
    p.lineTo(11, 17);
    p.lineTo(7, 10);
    p.lineTo(12, 10);
    p.closeSubpath();
}

} // namespace

QColor GrundFarbe(Grund g) {
    switch (g) {
    case Grund::Leer:
        return farben::Leer;
    case Grund::Kurs:
        return farben::Kurs;
    case Grund::Einzel:
        return farben::Einzel;
    case Grund::Mehrfach:
        return farben::Mehrfach;
    case Grund::Auswahl:
        return farben::Auswahl;
    }
    return farben::Leer;
}

QCursor VerschiebenZeiger() {
    // An arrow with a cross of four arrow heads: the hour goes elsewhere.
    return Zeiger([](QPainterPath& p) {
        Pfeil(p);
        const QPointF m(22, 22);
        p.moveTo(m + QPointF(-8, 0));
        p.lineTo(m + QPointF(8, 0));
        p.moveTo(m + QPointF(0, -8));
        p.lineTo(m + QPointF(0, 8));
        for (const QPointF& d : {QPointF(1, 0), QPointF(-1, 0), QPointF(0, 1), QPointF(0, -1)}) {
            const QPointF spitze = m + 8 * d;
            const QPointF quer(d.y(), d.x());
            p.moveTo(spitze - 3 * d + 3 * quer);
            p.lineTo(spitze);
            p.lineTo(spitze - 3 * d - 3 * quer);
        }
    });
}

QCursor AustauschZeiger() {
    // An arrow with two opposed arrows: two hours change places.
    return Zeiger([](QPainterPath& p) {
        Pfeil(p);
        p.moveTo(14, 18);
        p.lineTo(30, 18);
        p.lineTo(26, 14);
        p.moveTo(30, 26);
        p.lineTo(14, 26);
        p.lineTo(18, 30);
    });
}

// --- model ---------------------------------------------------------------------------------------

void GitterModell::Setzen(const CPlan* plan, const PlanEditor* editor) {
    beginResetModel();
    plan_ = plan;
    editor_ = editor;
    endResetModel();
}

void GitterModell::Neuzeichnen() {
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int GitterModell::rowCount(const QModelIndex& parent) const {
    return plan_ && !parent.isValid() ? GridRows(*plan_) : 0;
}

int GitterModell::columnCount(const QModelIndex& parent) const {
    return plan_ && !parent.isValid() ? GridColumns(*plan_) : 0;
}

int GitterModell::Slot(const QModelIndex& index) const {
    return plan_ && index.isValid() ? SlotOfCell(*plan_, index.column(), index.row()) : kNoSlot;
}

bool GitterModell::Look(int row, int column, CellLook& out) const {
    if (!plan_ || !editor_) return false;
    const int slot = SlotOfCell(*plan_, column, row);
    if (slot == kNoSlot) return false;
    DescribeCell(*plan_, editor_->State(), editor_->View(), editor_->Shown(), nurKurz_, slot, out);
    return true;
}

QVariant GitterModell::data(const QModelIndex& index, int role) const {
    if (!plan_ || !index.isValid()) return {};
    if (role == Qt::ToolTipRole) {
        const int slot = SlotOfCell(*plan_, index.column(), index.row());
        if (!editor_ || slot == kNoSlot) return {};
        const std::string tip = CellToolTip(*plan_, editor_->View(), editor_->Shown(), slot);
        return tip.empty() ? QVariant() : QVariant(Q(tip));
    }
    if (role != Qt::DisplayRole) return {};
    if (index.row() == 0) return Q(ColumnHeader(*plan_, index.column()));
    if (index.column() == 0) return Q(RowHeader(*plan_, index.row()));
    CellLook look;
    if (!Look(index.row(), index.column(), look) || !look.Lesson) return QString();
    return Q(look.Zeile1 + "\n" + look.Zeile2 + "\n" + look.Zeile3);
}

// --- delegate ------------------------------------------------------------------------------------

GitterDelegate::GitterDelegate(QObject* parent)
    : QStyledItemDelegate(parent), schrift_(Schrift(QFont(), false, false)),
      fett_(Schrift(QFont(), true, false)), unter_(Schrift(QFont(), false, true)),
      fettUnter_(Schrift(QFont(), true, true)), hoehe_(kSchriftPixel) {}

void GitterDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    const auto* modell = qobject_cast<const GitterModell*>(index.model());
    if (!modell) return;
    if (modell->Look(index.row(), index.column(), look_))
        Zelle(*painter, option.rect, look_);
    else
        Kopf(*painter, option.rect, index.data().toString());
}

void GitterDelegate::Kopf(QPainter& p, const QRect& r, const QString& text) const {
    p.fillRect(r, QColor(240, 240, 240));
    p.setPen(Qt::black);
    p.setFont(schrift_);
    p.drawText(r.adjusted(2, 2, -1, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void GitterDelegate::Zelle(QPainter& p, const QRect& r, const CellLook& look) const {
    p.save();
    p.setClipRect(r);
    p.fillRect(r, GrundFarbe(look.Ground));
    const int links = r.left() + 2, oben = r.top(), rechts = r.right() + 1;
    const int h = hoehe_;
    p.setPen(Qt::black);
    // The lines leave the marks' column free when there is a mark beside them.
    const bool marken = look.Nummer > 0 || look.T || look.Limit != 0;
    const int breite = rechts - links - (marken ? 12 : 1);
    const auto zeile = [&](const std::string& text, int y, const QFont& f) {
        if (text.empty()) return;
        p.setFont(f);
        p.drawText(QRect(links, oben + y, breite, h + 4),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Q(text));
    };
    const QFont& erste = look.Fett ? (look.Unterstrichen ? fettUnter_ : fett_)
                                   : (look.Unterstrichen ? unter_ : schrift_);
    zeile(look.Zeile1, 2, erste);
    zeile(look.Zeile2, h + 4, schrift_);
    zeile(look.Zeile3, 2 * h + 4, schrift_);
    p.setFont(schrift_);
    const auto marke = [&](const QString& text, int y) {
        p.drawText(QRect(rechts - 10, oben + y, 10, h + 4),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, text);
    };
    if (look.Nummer > 0) marke(QString::number(look.Nummer), 2);
    if (look.T) marke("T", 15);
    if (look.Limit) marke(QString(QChar(look.Limit)), 28);

    if (look.Cross != Kreuz::Keins) {
        p.setPen(QPen(look.Cross == Kreuz::Grau ? farben::Grau : QColor(Qt::black), 1));
        const int l = r.left() + 2, t = r.top() + 2, re = r.right() - 2, u = r.bottom() - 2;
        p.drawLine(l, t, re, u);
        p.drawLine(re, t, l, u);
    }
    if (look.Rahmen) {
        // Two pixels wide, its outer edge two pixels inside the cell.
        p.setPen(QPen(farben::Rahmen, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(r).adjusted(3, 3, -2, -2));
    }
    p.restore();
}

// --- view ----------------------------------------------------------------------------------------

PlanGitter::PlanGitter(QWidget* parent) : QTableView(parent) {
    setModel(&modell_);
    setItemDelegate(&delegate_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // The delegate paints the selection itself; the view's own highlight stays off.
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setGridStyle(Qt::SolidLine);
    connect(&modell_, &QAbstractItemModel::modelReset, this, &PlanGitter::Groessen);
}

void PlanGitter::Groessen() {
    const CPlan* plan = modell_.Plan();
    if (!plan) return;
    setColumnWidth(0, kKopfSpalte);
    const int tag = std::max(20, (viewport()->width() - kRand) / std::max(1, plan->Tage));
    for (int c = 1; c < modell_.columnCount(); ++c)
        setColumnWidth(c, tag);
    setRowHeight(0, delegate_.KopfZeilenHoehe());
    for (int r = 1; r < modell_.rowCount(); ++r)
        setRowHeight(r, delegate_.ZeilenHoehe());
}

void PlanGitter::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    Groessen();
}

void PlanGitter::Waehlen(const QModelIndex& index) {
    const int slot = modell_.Slot(index);
    if (slot == kNoSlot) return;
    emit ZelleGewaehlt(DayOf(slot), HourOf(slot));
}

void PlanGitter::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::RightButton) {
        emit MenueGewuenscht(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton || modell_.Slot(index) == kNoSlot) return;
    // Without signals: the current cell only follows the click, the selection is made here.
    selectionModel()->blockSignals(true);
    setCurrentIndex(index);
    selectionModel()->blockSignals(false);
    Waehlen(index);
}

void PlanGitter::mouseDoubleClickEvent(QMouseEvent* event) {
    // A second click of a double click is one more selection.
    mousePressEvent(event);
}

QModelIndex PlanGitter::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    // The header cells cannot be selected; the first move goes to the first data cell.
    if (modell_.Slot(next) != kNoSlot) return next;
    return modell_.Slot(currentIndex()) != kNoSlot ? currentIndex() : modell_.index(1, 1);
}

void PlanGitter::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit Escape();
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString text = event->text().toLower();
    if (mods == Qt::NoModifier && text.size() == 1 && QString("ostuz").contains(text[0])) {
        emit Taste(text[0].toLatin1());
        event->accept();
        return;
    }
    const QModelIndex vorher = currentIndex();
    QTableView::keyPressEvent(event);
    if (currentIndex() != vorher && currentIndex().isValid()) Waehlen(currentIndex());
}

} // namespace sw::ui
