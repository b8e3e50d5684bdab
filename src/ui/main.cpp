// SPDX-License-Identifier: GPL-3.0-or-later
// main.cpp: stundenwerk-gui. Loads Qt's German texts for the standard buttons, shows the splash
// window, then the main window. `--screenshots ORDNER [SCHULE]` runs the picture tour instead.
#include "ui/QtReporter.h"
#include "ui/Rundgang.h"
#include "ui/TAboutForm.h"
#include "ui/THauptForm.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Stundenwerk");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtDeutsch;
    if (qtDeutsch.load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtDeutsch);

    const QStringList args = QApplication::arguments();
    const int bilder = args.indexOf("--screenshots");
    const bool ohneSplash = args.contains("--no-splash") || bilder >= 0;

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
    haupt.show();
    return app.exec();
}
