// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TAboutForm.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace sw::ui {

namespace {
// A small timetable grid as the program's picture.
QPixmap Bild() {
    QPixmap pm(280, 150);
    pm.fill(QColor(245, 245, 235));
    QPainter p(&pm);
    const QColor farben[] = {QColor(120, 170, 220), QColor(230, 170, 90), QColor(140, 200, 140),
                             QColor(210, 130, 150)};
    for (int tag = 0; tag < 5; ++tag)
        for (int std = 0; std < 6; ++std) {
            const QRect zelle(20 + tag * 50, 12 + std * 22, 46, 19);
            p.fillRect(zelle,
                       (tag * 7 + std * 3) % 5 == 0 ? QColor(Qt::white) : farben[(tag + std) % 4]);
            p.setPen(QColor(90, 90, 90));
            p.drawRect(zelle);
        }
    return pm;
}
} // namespace

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog) {
    setObjectName("AboutForm");
    setWindowTitle("Stundenwerk");
    setMinimumSize(0, 0);
    bild_ = new QLabel(this);
    bild_->setObjectName("BildI");
    bild_->setPixmap(Bild());
    bild_->setAlignment(Qt::AlignCenter);
    bild_->installEventFilter(this);
    zeile1_ = new QLabel("Stundenwerk – Stundenplanung für eine Schule", this);
    zeile1_->setObjectName("Zeile1L");
    zeile2_ = new QLabel("Freie Software unter der GNU GPL, Version 3 oder später", this);
    zeile2_->setObjectName("Zeile2L");
    for (QLabel* l : {zeile1_, zeile2_})
        l->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bild_, 1);
    layout->addWidget(zeile1_);
    layout->addWidget(zeile2_);
    timer_ = new QTimer(this);
    timer_->setInterval(kSchrittMs);
    connect(timer_, &QTimer::timeout, this, &TAboutForm::Schritt);
    resize(340, 230);
}

void TAboutForm::Splash() {
    QTimer::singleShot(kSplashMs, this, &TAboutForm::Schrumpfen);
    exec();
}

void TAboutForm::Info() {
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect r = s->availableGeometry();
        move(r.center() - QPoint(width() / 2, height() / 2));
    }
    exec();
}

void TAboutForm::Schrumpfen() {
    zeile1_->hide();
    zeile2_->hide();
    // The layout no longer holds the window at the picture's size.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    setMinimumSize(0, 0);
    bild_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    bild_->setMinimumSize(0, 0);
    timer_->start();
}

void TAboutForm::Schritt() {
    const QRect g = geometry();
    if (g.width() - 20 < 1 || g.height() - 20 < 1) {
        timer_->stop();
        accept();
        return;
    }
    setGeometry(g.x() + 10, g.y() + 10, g.width() - 20, g.height() - 20);
}

bool TAboutForm::eventFilter(QObject* object, QEvent* event) {
    if (object == bild_ && event->type() == QEvent::MouseButtonPress && !timer_->isActive()) {
        setGeometry(geometry().adjusted(-20, -20, 20, 20));
        Schrumpfen();
        return true;
    }
    return QDialog::eventFilter(object, event);
}

} // namespace sw::ui
