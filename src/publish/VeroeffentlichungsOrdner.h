// SPDX-License-Identifier: GPL-3.0-or-later
// VeroeffentlichungsOrdner.h: the folder a plan is published into (web pages, calendars,
// spreadsheets). It may hold files of the school's own; those are never replaced or removed. A
// list of the files we wrote lies in the folder (".stundenwerk-veroeffentlicht", one name a line),
// and only the files named there count as ours.
//
//   Oeffnen      the folder is made where missing; the list of the last run is read
//   Schreibe     each file goes to a temporary name beside its own ("…~tmp")
//   Abschluss    the list names old and new files; every new file takes its place, index.html
//                last; files of the last run not written again (and not kept) are removed; the
//                list then names what the folder now holds of ours
//
// A run that stops before Abschluss removes its temporary files and leaves the folder as it was:
// a half-written site never looks complete. Names are plain file names inside the folder (no
// "/", no leading "."); file contents are bytes.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

inline constexpr const char* kVeroeffentlichtListe = ".stundenwerk-veroeffentlicht";

class VeroeffentlichungsOrdner {
public:
    explicit VeroeffentlichungsOrdner(std::string ordner);
    ~VeroeffentlichungsOrdner();
    VeroeffentlichungsOrdner(const VeroeffentlichungsOrdner&) = delete;
    VeroeffentlichungsOrdner& operator=(const VeroeffentlichungsOrdner&) = delete;

    // Makes the folder where it is missing and reads the list of the last run. False, with the
    // reason in Fehler(), when the path is no folder, cannot be made or written into.
    bool Oeffnen();
    // Writes `inhalt` for file `name` under a temporary name; Abschluss puts it in place. False,
    // with the reason in Fehler(), for a name taken by a file we did not write, a name that is no
    // plain file name, or a failed write.
    bool Schreibe(const std::string& name, std::string_view inhalt);
    // Keeps a file of the last run that this run does not write again.
    void Behalte(const std::string& name);
    // Puts the written files in place and updates the list (see above). False with Fehler().
    bool Abschluss();

    // The files of the last run that still exist, sorted (for the index of a site).
    std::vector<std::string> Frueher() const;
    // The reason of the last failure, in German, ready to show.
    const std::string& Fehler() const { return fehler_; }
    // The number of files written in this run.
    int Anzahl() const { return static_cast<int>(neu_.size()); }
    const std::string& Pfad() const { return ordner_; }

private:
    std::string Voll(const std::string& name) const;
    std::string Temporaer(const std::string& name) const;
    bool Scheitern(std::string text);
    // Writes `inhalt` to `ziel` through a temporary file; an errno on failure, else 0.
    int Ersetze(const std::string& ziel, std::string_view inhalt) const;
    bool ListeSchreiben(const std::set<std::string>& namen);
    void Aufraeumen();

    std::string ordner_;
    std::string fehler_;
    bool offen_ = false;
    std::set<std::string> frueher_;  // the list as the last run left it
    std::vector<std::string> neu_;   // written in this run, in order
    std::set<std::string> behalten_; // of the last run, kept
};

} // namespace sw
