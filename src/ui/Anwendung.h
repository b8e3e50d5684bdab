// SPDX-License-Identifier: GPL-3.0-or-later
// Anwendung.h: what every program that shows the windows sets up first: the application name,
// German as the locale, and Qt's German texts for the standard buttons ("Ja", "Abbrechen").
#pragma once

class QTranslator;

namespace sw::ui {

// Call once after the QApplication is made; `qtDeutsch` must live as long as it.
void AnwendungEinrichten(QTranslator& qtDeutsch);

} // namespace sw::ui
