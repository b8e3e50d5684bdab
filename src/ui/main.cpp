// SPDX-License-Identifier: GPL-3.0-or-later
// main.cpp: stundenwerk-gui. Loads Qt's German texts for the standard buttons, shows the splash
// window, then the main window, and opens the school, master-data or plan file named on the
// command line.
#include "ui/Anwendung.h"
#include "ui/Desktop.h"
#include "ui/QtReporter.h"
#include "ui/TAboutForm.h"
#include "ui/THauptForm.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTranslator qtDeutsch;
    sw::ui::AnwendungEinrichten(qtDeutsch);

    const QStringList args = QApplication::arguments();
    if (!args.contains("--no-splash")) {
        auto* splash = new sw::ui::TAboutForm;
        splash->Splash();
        delete splash;
    }
    sw::ui::QtReporter reporter;
    sw::ui::QtDesktop desktop;
    sw::ui::THauptForm haupt(reporter, desktop, QDir::currentPath());
    reporter.SetParent(&haupt);
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
