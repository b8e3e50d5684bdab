// SPDX-License-Identifier: GPL-3.0-or-later
// main.cpp: stundenwerk-rundgang, the tool that drives the desktop windows for pictures. It is no
// part of the program and is not installed with it.
//   stundenwerk-rundgang --screenshots ORDNER [SCHULE]   the picture tour over a school
//   stundenwerk-rundgang --neue-schule ORDNER            the road of a new school through the
//                                                        windows, with a picture of every step
#include "tour/AnswerDesktop.h"
#include "tour/NeueSchule.h"
#include "tour/Rundgang.h"
#include "ui/Anwendung.h"
#include "ui/QtReporter.h"
#include "ui/THauptForm.h"

#include <QApplication>
#include <QDir>
#include <QTranslator>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTranslator qtDeutsch;
    sw::ui::AnwendungEinrichten(qtDeutsch);

    const QStringList args = QApplication::arguments();
    const int bilder = args.indexOf("--screenshots");
    const int strasse = args.indexOf("--neue-schule");
    if (bilder < 0 && strasse < 0) {
        std::fputs("Aufruf: stundenwerk-rundgang --screenshots ORDNER [SCHULE]\n"
                   "        stundenwerk-rundgang --neue-schule ORDNER\n",
                   stderr);
        return 2;
    }

    sw::ui::QtReporter reporter;
    // The tours answer for the user where they say so; everything else is the real desktop.
    sw::ui::QtDesktop echt;
    sw::ui::AnswerDesktop desktop(&echt);
    sw::ui::THauptForm haupt(reporter, desktop, QDir::currentPath());
    reporter.SetParent(&haupt);
    if (bilder >= 0) {
        const QString ordner = args.value(bilder + 1, "screenshots");
        const QString schule = args.value(bilder + 2, "examples/gymnasium.sch");
        const int n = sw::ui::Rundgang(haupt, desktop, QDir(schule).absolutePath(), ordner, 3);
        return n > 0 ? 0 : 1;
    }
    const QString ordner = QDir(args.value(strasse + 1, "screenshots")).absolutePath();
    haupt.show();
    int n = 0;
    const auto e = sw::ui::NeueSchule(
        haupt, desktop, ordner, 2000, [&](const QString& schritt, QWidget& fenster) {
            fenster.raise();
            QApplication::processEvents();
            n += fenster.grab().save(QDir(ordner).filePath(
                QString("schule_%1_%2.png").arg(n + 1, 2, 10, QChar('0')).arg(schritt)));
        });
    if (!e.Fehler.isEmpty()) {
        std::fprintf(stderr, "neue Schule: %s\n", e.Fehler.toUtf8().constData());
        return 1;
    }
    return 0;
}
