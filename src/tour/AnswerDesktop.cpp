// SPDX-License-Identifier: GPL-3.0-or-later
#include "tour/AnswerDesktop.h"

#include <QDate>
#include <QDialog>
#include <algorithm>

namespace sw::ui {

int AnswerDesktop::DialogAnswers::Ask(QDialog& dialog) const {
    for (auto it = list_.rbegin(); it != list_.rend(); ++it)
        if (const int answer = it->second(dialog); answer >= 0) return answer;
    return -1;
}

void AnswerDesktop::DialogAnswers::Forget(std::type_index type) {
    std::erase_if(list_, [type](const auto& entry) { return entry.first == type; });
}

QString AnswerDesktop::ChooseFile(QWidget* parent, const DateiDialog& dialog) {
    fileDialogs.push_back(dialog);
    if (file) return file(dialog);
    return behind_ ? behind_->ChooseFile(parent, dialog) : QString();
}

bool AnswerDesktop::Run(QDialog& dialog) {
    dialogsRun.push_back(dialog.objectName());
    if (const int answer = dialogs.Ask(dialog); answer >= 0) return answer == 1;
    return behind_ && behind_->Run(dialog);
}

QString AnswerDesktop::Print(QWidget* parent, QTextDocument& doc, PageOrientation orientation) {
    if (print) return print(doc, orientation);
    return behind_ ? behind_->Print(parent, doc, orientation) : QString();
}

bool AnswerDesktop::Open(const QString& path) {
    opened.push_back(path);
    if (open) return open(path);
    return behind_ && behind_->Open(path);
}

Datum AnswerDesktop::Today() {
    if (today) return today();
    if (behind_) return behind_->Today();
    const QDate d = QDate::currentDate();
    return {d.year(), d.month(), d.day()};
}

} // namespace sw::ui
