// SPDX-License-Identifier: GPL-3.0-or-later
// Report.h: how the core speaks to the user without showing anything itself. Refusals, questions
// and internal alarms go through a Reporter; the desktop turns them into message boxes, the
// command-line tool into stderr lines, tests into captured records.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sw {

// Titles the system uses for its message boxes.
namespace titel {
inline constexpr const char* Fehler = "Fehler";
inline constexpr const char* Dateifehler = "Dateifehler";
inline constexpr const char* DateiFehler = "Datei - Fehler";
inline constexpr const char* Warnung = "Warnung";
inline constexpr const char* Anfrage = "Anfrage";
inline constexpr const char* Hinweis = "Hinweis";
inline constexpr const char* Boesartig = "Bösartiger Fehler";
} // namespace titel

struct Message {
    std::string Text;
    std::string Title;
    bool operator==(const Message&) const = default;
};

enum class Question { YesNo, OkCancel };

// The answers of a question with three buttons: Ja, Nein, Abbrechen.
enum class Answer { Yes, No, Cancel };

class Reporter {
public:
    virtual ~Reporter() = default;
    // A modal message with one OK button.
    virtual void Show(const Message& message) = 0;
    // A question; true for Yes/OK, false for No/Cancel.
    virtual bool Ask(const Message& message, Question kind) = 0;
    // A question with the buttons Ja, Nein and Abbrechen ("Änderungen speichern?"). A reporter
    // that knows only two answers gives Yes or No.
    virtual Answer AskYesNoCancel(const Message& message) {
        return Ask(message, Question::YesNo) ? Answer::Yes : Answer::No;
    }
};

// Keeps every message; answers questions with a preset answer. For tests and batch runs.
class CapturingReporter : public Reporter {
public:
    explicit CapturingReporter(bool answer = true)
        : threeWay(answer ? Answer::Yes : Answer::No), answer_(answer) {}
    void Show(const Message& message) override { shown.push_back(message); }
    bool Ask(const Message& message, Question) override {
        asked.push_back(message);
        return answer_;
    }
    Answer AskYesNoCancel(const Message& message) override {
        asked.push_back(message);
        return threeWay;
    }
    std::vector<Message> shown;
    std::vector<Message> asked;
    // The answer to a three-way question.
    Answer threeWay;

private:
    bool answer_;
};

// The result of a file operation: success, and the messages to show in order.
struct Outcome {
    bool Ok = true;
    std::vector<Message> Messages;

    static Outcome Success() { return {}; }
    static Outcome Failure(std::string text, std::string title) {
        Outcome o;
        o.Ok = false;
        o.Messages.push_back({std::move(text), std::move(title)});
        return o;
    }
    // Shows every message through `reporter`.
    void ShowTo(Reporter& reporter) const {
        for (const auto& m : Messages)
            reporter.Show(m);
    }
};

} // namespace sw
