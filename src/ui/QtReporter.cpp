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

QWidget* QtReporter::Parent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* aktiv = QApplication::activeWindow()) return aktiv;
    return parent_;
}

void QtReporter::Show(const Message& message) {
    QMessageBox box(IconFor(message.Title), Q(message.Title), Q(message.Text), QMessageBox::Ok,
                    Parent());
    box.exec();
}

bool QtReporter::Ask(const Message& message, Question kind) {
    const auto buttons = kind == Question::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                 : QMessageBox::Ok | QMessageBox::Cancel;
    QMessageBox box(IconFor(message.Title), Q(message.Title), Q(message.Text), buttons, Parent());
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
