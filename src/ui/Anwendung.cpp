// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Anwendung.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace sw::ui {

void AnwendungEinrichten(QTranslator& qtDeutsch) {
    QApplication::setApplicationName("Stundenwerk");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    if (qtDeutsch.load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtDeutsch);
}

} // namespace sw::ui
