// SPDX-License-Identifier: GPL-3.0-or-later
// AnswerDesktop.h: a desktop that answers for the user, for the window tests and the tours. It
// records what the windows asked (the file dialogs, the dialogs run, the files to show) and
// answers with what it was told; where it was told nothing it passes the question on to the
// desktop behind it, or without one it cancels, refuses and says today is the clock's date.
// No dialog is ever run modally unless the desktop behind it runs it.
#pragma once
#include "ui/Desktop.h"

#include <QString>
#include <functional>
#include <typeindex>
#include <utility>
#include <vector>

namespace sw::ui {

class AnswerDesktop : public Desktop {
public:
    explicit AnswerDesktop(Desktop* behind = nullptr) : behind_(behind) {}

    QString ChooseFile(QWidget* parent, const DateiDialog& dialog) override;
    bool Run(QDialog& dialog) override;
    QString Print(QWidget* parent, QTextDocument& doc, PageOrientation orientation) override;
    bool Open(const QString& path) override;
    Datum Today() override;

    // The answers; an empty one passes the question on.
    std::function<QString(const DateiDialog&)> file;
    std::function<QString(QTextDocument&, PageOrientation)> print;
    std::function<bool(const QString&)> open;
    std::function<Datum()> today;

    // The answers to modal dialogs, by the dialog's class: Answer<TBlockForm>(f) answers every
    // TBlockForm (and class derived from it) with f, in place of an earlier answer for that
    // class. Copyable, so a tour can put back what it found.
    class DialogAnswers {
    public:
        template <typename D> void Answer(std::function<bool(D&)> answer) {
            Forget<D>();
            list_.emplace_back(typeid(D), [answer = std::move(answer)](QDialog& d) -> int {
                auto* own = dynamic_cast<D*>(&d);
                return own ? static_cast<int>(answer(*own)) : -1;
            });
        }
        template <typename D> void Forget() { Forget(typeid(D)); }
        // 1 accepted, 0 refused, -1 no answer for this dialog.
        int Ask(QDialog& dialog) const;

    private:
        void Forget(std::type_index type);
        std::vector<std::pair<std::type_index, std::function<int(QDialog&)>>> list_;
    };
    DialogAnswers dialogs;

    // Gives the desktop back, when it goes, the answers it had when it was made: a tour's
    // answers live only as long as its step.
    class Kept {
    public:
        explicit Kept(AnswerDesktop& desktop)
            : desktop_(desktop), file_(desktop.file), print_(desktop.print), open_(desktop.open),
              today_(desktop.today), dialogs_(desktop.dialogs) {}
        ~Kept() {
            desktop_.file = file_;
            desktop_.print = print_;
            desktop_.open = open_;
            desktop_.today = today_;
            desktop_.dialogs = dialogs_;
        }
        Kept(const Kept&) = delete;
        Kept& operator=(const Kept&) = delete;

    private:
        AnswerDesktop& desktop_;
        std::function<QString(const DateiDialog&)> file_;
        std::function<QString(QTextDocument&, PageOrientation)> print_;
        std::function<bool(const QString&)> open_;
        std::function<Datum()> today_;
        DialogAnswers dialogs_;
    };

    // What the windows asked, in order.
    std::vector<DateiDialog> fileDialogs;
    std::vector<QString> dialogsRun; // the object names of the dialogs
    std::vector<QString> opened;

private:
    Desktop* behind_;
};

} // namespace sw::ui
