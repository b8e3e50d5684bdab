// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtReporter.h"

#include <QApplication>
#include <QMessageBox>

namespace sw::ui {

namespace {
QMessageBox::Icon IconFor(const std::string& title) {
    if (title == titel::Warnung) return QMessageBox::Warning;
    if (title == titel::Hinweis || title.empty()) return QMessageBox::Information;
    if (title == titel::Anfrage) return QMessageBox::Question;
    return QMessageBox::Critical;
}
} // namespace

QString BoxTitel(const Message& message, bool frage) {
    if (!message.Title.empty()) return Q(message.Title);
    return Q(frage ? titel::Anfrage : titel::Hinweis);
}

QWidget* QtReporter::Parent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* aktiv = QApplication::activeWindow()) return aktiv;
    return parent_;
}

void QtReporter::Show(const Message& message) {
    QMessageBox box(IconFor(message.Title), BoxTitel(message, false), Q(message.Text),
                    QMessageBox::Ok, Parent());
    box.exec();
}

bool QtReporter::Ask(const Message& message, Question kind) {
    const auto buttons = kind == Question::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                 : QMessageBox::Ok | QMessageBox::Cancel;
    const QMessageBox::Icon icon =
        message.Title.empty() ? QMessageBox::Question : IconFor(message.Title);
    QMessageBox box(icon, BoxTitel(message, true), Q(message.Text), buttons, Parent());
    const int answer = box.exec();
    return answer == QMessageBox::Yes || answer == QMessageBox::Ok;
}

Answer QtReporter::AskYesNoCancel(const Message& message) {
    QMessageBox box(IconFor(message.Title), Q(message.Title), Q(message.Text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, Parent());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    if (answer == QMessageBox::Yes) return Answer::Yes;
    return answer == QMessageBox::No ? Answer::No : Answer::Cancel;
}

} // namespace sw::ui
