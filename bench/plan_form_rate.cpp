// SPDX-License-Identifier: GPL-3.0-or-later
// plan_form_rate: passes per second of the planning window. Opens a plan file in the desktop's
// main window as "Plan - Datei öffnen ..." does, runs each asked stage from the loaded plan for
// a fixed time (a timer presses "Halt") and prints the passes, for comparison with
//   stundenwerk plan --plan PLAN.pdt --stages S --stage-seconds T --seed 1
// Usage: plan_form_rate PLAN.pdt [--seconds T] [--stages 3,5] [--seed S]
// Messages that would open a box are printed to stderr instead, so nothing waits for a click.
#include "tour/AnswerDesktop.h"
#include "ui/THauptForm.h"
#include "ui/TPlanForm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <string>

namespace {

class StderrReporter : public sw::Reporter {
public:
    void Show(const sw::Message& m) override {
        std::fprintf(stderr, "%s: %s\n", m.Title.c_str(), m.Text.c_str());
    }
    bool Ask(const sw::Message& m, sw::Question) override {
        Show(m);
        return true;
    }
};

const char* Knopf(int stufe) {
    switch (stufe) {
    case 2:
        return "KLSMinimierungBtn";
    case 3:
        return "KProdBtn";
    case 4:
        return "TFBtn";
    case 5:
        return "LLSBtn";
    default:
        return "LProdBtn";
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fputs("Aufruf: plan_form_rate PLAN.pdt [--seconds T] [--stages 3,5] [--seed S]\n",
                   stderr);
        return 2;
    }
    const QString plan = args[1];
    auto wert = [&](const char* name, const QString& standard) {
        const int i = args.indexOf(name);
        return i > 0 && i + 1 < args.size() ? args[i + 1] : standard;
    };
    const double sekunden = wert("--seconds", "10").toDouble();
    const QStringList stufen = wert("--stages", "3,5").split(',', Qt::SkipEmptyParts);
    const std::uint32_t seed = wert("--seed", "1").toUInt();

    StderrReporter reporter;
    sw::ui::AnswerDesktop desktop;
    desktop.file = [&](const sw::ui::DateiDialog&) { return plan; };
    sw::ui::THauptForm haupt(reporter, desktop, QDir::currentPath());
    haupt.show();
    std::printf("Plattform: %s\n", qPrintable(QGuiApplication::platformName()));
    // One precise timer: a stage that ends early must not leave its "Halt" for the next one.
    QTimer halt;
    halt.setSingleShot(true);
    halt.setTimerType(Qt::PreciseTimer);
    QObject::connect(&halt, &QTimer::timeout, &haupt.PlanForm(), &sw::ui::TPlanForm::HaltBtnClick);
    for (const QString& s : stufen) {
        const int stufe = s.toInt();
        if (stufe < 2 || stufe > 6) continue;
        // Every stage starts from the plan file, as the command-line tool's does.
        haupt.PlanOeffnenClick();
        sw::CPlan* p = haupt.Sitzung().Plan();
        if (!p) return 2;
        haupt.Sitzung().Rng().Seed(seed);
        sw::ui::TPlanForm& form = haupt.PlanForm();
        form.findChild<QTabWidget*>("PlanungsPC")->setCurrentIndex(stufe - 1);
        QApplication::processEvents();
        halt.start(static_cast<int>(sekunden * 1000));
        QElapsedTimer uhr;
        uhr.start();
        form.findChild<QPushButton*>(Knopf(stufe))->click();
        const double dauer = uhr.elapsed() / 1000.0;
        halt.stop();
        const int passes = haupt.Lauf().Passes();
        std::printf("Stufe %d: %6d Durchgänge %6.1f s  %8.1f /s\n", stufe, passes, dauer,
                    passes / dauer);
        std::fflush(stdout);
    }
    return 0;
}
