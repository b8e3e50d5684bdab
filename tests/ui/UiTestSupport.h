// SPDX-License-Identifier: GPL-3.0-or-later
// UiTestSupport.h: helpers of the window tests: a reporter whose answer can change between
// questions, the desktop that answers for the user (AnswerDesktop), waiting while events are
// served, and finding controls by object name.
#pragma once
#include "model/Report.h"
#include "tour/AnswerDesktop.h"

#include <QApplication>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace sw::test {

using ui::AnswerDesktop;

// A text of the test source (UTF-8) as a QString.
inline QString U(const char* s) {
    return QString::fromUtf8(s);
}

// The texts of a list's entries, top to bottom.
inline QStringList Texte(const QListWidget* l) {
    QStringList t;
    for (int i = 0; i < l->count(); ++i)
        t << l->item(i)->text();
    return t;
}

class AnswerReporter : public Reporter {
public:
    void Show(const Message& m) override {
        shown.push_back(m);
        if (onShow) onShow(m);
    }
    bool Ask(const Message& m, Question) override {
        asked.push_back(m);
        if (onAsk) onAsk(m);
        return answer;
    }
    Answer AskYesNoCancel(const Message& m) override {
        asked.push_back(m);
        if (onAsk) onAsk(m);
        return dreifach;
    }
    bool Saw(const std::string& text) const {
        for (const auto& m : shown)
            if (m.Text == text) return true;
        return false;
    }
    bool answer = true;
    // The answer to "Änderungen speichern?": No keeps the tests that do not look at it as they
    // were (nothing is saved behind their back).
    Answer dreifach = Answer::No;
    // Run when a message is shown or a question asked (before it is answered): what the
    // windows show then.
    std::function<void(const Message&)> onShow;
    std::function<void(const Message&)> onAsk;
    std::vector<Message> shown;
    std::vector<Message> asked;
};

// Serves events for `ms` milliseconds.
void Serve(int ms);

template <typename T> T* Find(const QWidget& parent, const char* name) {
    T* w = parent.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

} // namespace sw::test
