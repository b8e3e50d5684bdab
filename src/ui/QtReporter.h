// SPDX-License-Identifier: GPL-3.0-or-later
// QtReporter.h: the core's messages as modal message boxes, and the helpers every window uses to
// turn core texts into Qt strings.
#pragma once
#include "model/Report.h"

#include <QString>
#include <string>

class QWidget;

namespace sw::ui {

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
inline QString Q(const char* s) {
    return QString::fromUtf8(s);
}
inline std::string S(const QString& s) {
    return s.toStdString();
}

// The caption of a message box: the message's title; a message without one is titled as its
// kind ("Hinweis" for a message, "Anfrage" for a question), never with the program's name in
// one place and "Hinweis" in another for the same kind of message.
QString BoxTitel(const Message& message, bool frage);

// Shows each message in a QMessageBox with its BoxTitel; questions get the German standard
// buttons through the Qt translation loaded at start. A box appears over the window the user
// works in: the open modal dialog, else the active window, else the fallback parent (the main
// window).
class QtReporter : public Reporter {
public:
    explicit QtReporter(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Show(const Message& message) override;
    bool Ask(const Message& message, Question kind) override;
    // Ja / Nein / Abbrechen; Escape and the close box are Abbrechen.
    Answer AskYesNoCancel(const Message& message) override;
    // The parent the next box gets.
    QWidget* Parent() const;

private:
    QWidget* parent_;
};

} // namespace sw::ui
