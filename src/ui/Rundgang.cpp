// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Rundgang.h"

#include "ui/TAllgemeineAngabenForm.h"
#include "ui/TDruckOptionenForm.h"
#include "ui/THauptForm.h"
#include "ui/TPlanForm.h"
#include "ui/TProgrammOptionenForm.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace sw::ui {

namespace {

void Warten(int ms) {
    QTimer uhr;
    uhr.setSingleShot(true);
    uhr.start(ms);
    while (uhr.isActive())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool Bild(QWidget& w, const QString& ordner, const QString& name) {
    w.show();
    w.raise();
    Warten(200);
    return w.grab().save(QDir(ordner).filePath(name + ".png"));
}

} // namespace

int Rundgang(THauptForm& haupt, const QString& schule, const QString& ordner, int sekunden) {
    QDir().mkpath(ordner);
    int n = 0;
    // Message boxes on the way are photographed and answered with their default button.
    int meldungen = 0;
    QTimer antworten;
    QObject::connect(&antworten, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        box->grab().save(QDir(ordner).filePath(QString("meldung_%1.png").arg(++meldungen)));
        if (QAbstractButton* b =
                box->defaultButton() ? box->defaultButton() : box->buttons().value(0))
            b->click();
    });
    antworten.start(300);
    haupt.show();
    haupt.Dateiwahl = [schule](const DateiDialog&) { return schule; };
    haupt.OeffnenClick();
    n += Bild(haupt, ordner, "hauptfenster");

    haupt.StundenplanClick();
    TPlanForm& plan = haupt.PlanForm();
    plan.move(haupt.pos() + QPoint(0, 220));
    plan.resize(1100, 560);
    plan.SetSeed(1);
    Warten(200);
    plan.StartBtnClick();
    auto* seiten = plan.findChild<QTabWidget*>("PlanungsPC");
    n += Bild(plan, ordner, "plan_1_urplan");
    const char* knoepfe[] = {"KLSMinimierungBtn", "KProdBtn", "TFBtn", "LLSBtn", "LProdBtn"};
    for (int i = 0; i < 5; ++i) {
        seiten->setCurrentIndex(i + 1);
        QTimer::singleShot(sekunden * 1000, &plan, &TPlanForm::HaltBtnClick);
        plan.findChild<QPushButton*>(knoepfe[i])->click();
        n += Bild(plan, ordner, QString("plan_%1").arg(i + 2));
    }
    seiten->setCurrentIndex(6);
    n += Bild(plan, ordner, "plan_7_manuell");
    seiten->setCurrentIndex(7);
    n += Bild(plan, ordner, "plan_8_optionen");
    seiten->setCurrentIndex(5);
    n += Bild(plan, ordner, "planungsfenster");

    auto& angaben = haupt.AngabenForm();
    n += Bild(angaben, ordner, "allgemeine_angaben");
    angaben.hide();
    auto& optionen = haupt.OptionenForm();
    n += Bild(optionen, ordner, "programm_optionen");
    optionen.hide();
    auto& druck = haupt.DruckForm();
    druck.Fuellen(haupt.Sitzung().Plan());
    n += Bild(druck, ordner, "druck_optionen");
    druck.hide();
    // The closing question, with the German standard buttons.
    plan.close();
    Warten(500);
    return n;
}

} // namespace sw::ui
