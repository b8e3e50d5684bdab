// SPDX-License-Identifier: GPL-3.0-or-later
// main.cpp: stundenwerk-gui. Loads Qt's German texts for the standard buttons, shows the splash
// window, then the main window, and opens the school, master-data or plan file named on the
// command line. `--screenshots ORDNER [SCHULE]` runs the picture tour instead,
// `--neue-schule ORDNER` goes the road of a new school through the windows with a picture of
// every step.
#include "ui/NeueSchule.h"
#include "ui/QtReporter.h"
#include "ui/Rundgang.h"
#include "ui/TAboutForm.h"
#include "ui/THauptForm.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Stundenwerk");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtDeutsch;
    if (qtDeutsch.load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtDeutsch);

    const QStringList args = QApplication::arguments();
    const int bilder = args.indexOf("--screenshots");
    const int strasse = args.indexOf("--neue-schule");
    const bool ohneSplash = args.contains("--no-splash") || bilder >= 0 || strasse >= 0;

    if (!ohneSplash) {
        auto* splash = new sw::ui::TAboutForm;
        splash->Splash();
        delete splash;
    }
    sw::ui::QtReporter reporter;
    sw::ui::THauptForm haupt(reporter, QDir::currentPath());
    reporter.SetParent(&haupt);
    if (bilder >= 0) {
        const QString ordner = args.value(bilder + 1, "screenshots");
        const QString schule = args.value(bilder + 2, "examples/gymnasium.sch");
        const int n = sw::ui::Rundgang(haupt, QDir(schule).absolutePath(), ordner, 3);
        return n > 0 ? 0 : 1;
    }
    if (strasse >= 0) {
        const QString ordner = QDir(args.value(strasse + 1, "screenshots")).absolutePath();
        haupt.show();
        int n = 0;
        const auto e =
            sw::ui::NeueSchule(haupt, ordner, 2000, [&](const QString& schritt, QWidget& fenster) {
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
    haupt.show();
    // A file named on the command line opens once the window is up.
    for (int i = 1; i < args.size(); ++i)
        if (!args[i].startsWith("-")) {
            QApplication::processEvents();
            haupt.DateiOeffnen(QFileInfo(args[i]).absoluteFilePath());
            break;
        }
    return app.exec();
}
