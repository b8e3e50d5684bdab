// SPDX-License-Identifier: GPL-3.0-or-later
// Rundgang.h: a guided tour for pictures of the windows: opens a school, plans it, runs each
// stage for a few seconds (ended by "Halt") and saves a PNG of every window and tab.
#pragma once
#include <QString>

namespace sw::ui {

class AnswerDesktop;
class THauptForm;

// Writes the pictures into `ordner`; returns the number of pictures written. `haupt` was made on
// `desktop`, which answers the file dialogs and the dialogs photographed instead of run.
int Rundgang(THauptForm& haupt, AnswerDesktop& desktop, const QString& schule,
             const QString& ordner, int sekunden);

} // namespace sw::ui
