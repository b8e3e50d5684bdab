// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TLegendeForm.h"

#include "ui/PlanGitter.h"
#include "ui/QtReporter.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace sw::ui {

const std::array<const char*, 10> TLegendeForm::kTexte = {
    "Rot :  Kursstunde",
    "Blau :  normale Mehrfachstunde",
    "Ziffer: Nummer in Mehrfachstunde",
    "'T' :  Stunde nur an diesem Tag setzbar",
    "'O' :  Oberes Limit (hier bis 2. Stunde)",
    "'U' :  Unteres Limit (hier ab 6. Stunde)",
    "Unterstrichen :  Stunde ist zeitfest",
    "Fett : Stunde ist raumfest",
    "nicht belegt",
    "gesperrte Zeit"};

namespace {

// The sample cell beside each text.
CellLook Beispiel(std::size_t i) {
    CellLook c;
    c.Lesson = i < 8;
    c.Ground = i == 0 ? Grund::Kurs : i < 3 ? Grund::Mehrfach : i < 8 ? Grund::Einzel : Grund::Leer;
    if (c.Lesson) {
        c.Zeile1 = i == 0 ? "Chor" : i < 3 ? "Mathe" : "Deutsch";
        c.Zeile2 = i == 0 ? "" : "Mü";
        c.Zeile3 = "101";
    }
    c.Nummer = i == 1 || i == 2 ? static_cast<int>(i) : 0;
    c.T = i == 3;
    c.Limit = i == 4 ? 'O' : i == 5 ? 'U' : 0;
    c.Unterstrichen = i == 6;
    c.Fett = i == 7;
    c.Cross = i == 9 ? Kreuz::Schwarz : Kreuz::Keins;
    return c;
}

} // namespace

TLegendeForm::TLegendeForm(QWidget* parent) : QDialog(parent) {
    setObjectName("LegendeForm");
    setWindowTitle("Legende");
    setModal(true);
    GitterDelegate maler;
    auto* tabelle = new QGridLayout;
    tabelle->setHorizontalSpacing(12);
    tabelle->setVerticalSpacing(2);
    const QSize zelle(90, maler.ZeilenHoehe());
    for (std::size_t i = 0; i < kTexte.size(); ++i) {
        QPixmap bild(zelle);
        bild.fill(Qt::white);
        QPainter p(&bild);
        maler.Zelle(p, QRect(QPoint(0, 0), zelle - QSize(1, 1)), Beispiel(i));
        p.setPen(farben::Grau);
        p.drawRect(QRect(QPoint(0, 0), zelle - QSize(1, 1)));
        p.end();
        auto* bildL = new QLabel(this);
        bildL->setPixmap(bild);
        auto* text = new QLabel(Q(kTexte[i]), this);
        text->setObjectName(QString("LegendeL%1").arg(i + 1));
        const auto zeile = static_cast<int>(i);
        tabelle->addWidget(bildL, zeile, 0);
        tabelle->addWidget(text, zeile, 1);
    }
    auto* schliessen = new QPushButton(QString::fromUtf8("Schließen"), this);
    schliessen->setObjectName("Button1");
    schliessen->setDefault(true);
    connect(schliessen, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tabelle);
    layout->addWidget(schliessen, 0, Qt::AlignRight);
}

} // namespace sw::ui
