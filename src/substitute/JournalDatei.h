// SPDX-License-Identifier: GPL-3.0-or-later
// JournalDatei.h: the journal's file while a window or the tool works with it. Opening reads the
// file (a missing one is an empty journal) and takes the lock beside it ("SCHULE.vtr.lock").
// When another running instance holds the lock, the journal opens read-only and the message names
// who holds it; a lock left by a process that is gone on this host is taken over. A damaged
// journal is refused with its line and is never written over. Every save replaces the file
// safely: a crash or a full disk leaves the previous journal whole.
#pragma once

#include "io/FileOps.h"
#include "io/LockFile.h"
#include "model/Report.h"
#include "substitute/Journal.h"

#include <memory>
#include <string>

namespace sw {

enum class JournalZustand {
    Geschlossen,
    Bearbeitbar, // read, locked by us
    NurLesen,    // read, another instance holds the lock
    Beschaedigt, // the file could not be read: refused, never written
};

class JournalDatei {
public:
    JournalDatei(FileOps& ops, std::string pfad);

    // Reads and locks. Messages (title "Vertretungsjournal"): the damaged line, an unreadable
    // file, the holder of the lock. Returns the state reached.
    JournalZustand Oeffnen(Reporter& reporter);
    // Writes the journal. Refused (false, with a message) unless Bearbeitbar; a failed write
    // says why and leaves the file as it was.
    bool Speichern(Reporter& reporter);
    // Releases the lock.
    void Schliessen();

    [[nodiscard]] JournalZustand Zustand() const { return zustand_; }
    [[nodiscard]] bool Bearbeitbar() const { return zustand_ == JournalZustand::Bearbeitbar; }
    [[nodiscard]] const std::string& Pfad() const { return pfad_; }
    Journal& Daten() { return journal_; }
    const Journal& Daten() const { return journal_; }

private:
    FileOps& ops_;
    std::string pfad_;
    Journal journal_;
    JournalZustand zustand_ = JournalZustand::Geschlossen;
    std::unique_ptr<LockFile> sperre_;
};

namespace titel {
inline constexpr const char* Journal = "Vertretungsjournal";
} // namespace titel

// "Das Vertretungsjournal X ist beschädigt (Zeile 7: ungültiges Datum). Es wird nicht
// verändert."
std::string JournalBeschaedigt(const std::string& pfad, int zeile, const std::string& grund);
// "Das Vertretungsjournal X wird von anna auf schule-pc (Prozess 4711, seit 2027-03-15 07:42:10)
// bearbeitet. Es wird nur zum Lesen geöffnet."
std::string JournalGesperrt(const std::string& pfad, const std::optional<LockHolder>& inhaber);

} // namespace sw
