// SPDX-License-Identifier: GPL-3.0-or-later
#include "substitute/JournalDatei.h"

namespace sw {

std::string JournalBeschaedigt(const std::string& pfad, int zeile, const std::string& grund) {
    return "Das Vertretungsjournal " + pfad + " ist beschädigt (Zeile " + std::to_string(zeile) +
           ": " + grund + "). Es wird nicht verändert.";
}

std::string JournalGesperrt(const std::string& pfad, const std::optional<LockHolder>& inhaber) {
    const std::string wer = inhaber
                                ? "von " + inhaber->User + " auf " + inhaber->Host + " (Prozess " +
                                      std::to_string(inhaber->Pid) + ", seit " + inhaber->Time + ")"
                                : "von einem anderen Programm";
    return "Das Vertretungsjournal " + pfad + " wird " + wer +
           " bearbeitet. Es wird nur zum Lesen geöffnet.";
}

JournalDatei::JournalDatei(FileOps& ops, std::string pfad) : ops_(ops), pfad_(std::move(pfad)) {}

JournalZustand JournalDatei::Oeffnen(Reporter& reporter) {
    Schliessen();
    journal_ = Journal();
    // The lock first, then the reading: what we read is what we may write back, since nobody
    // else writes while we hold it.
    sperre_ = std::make_unique<LockFile>(pfad_ + ".lock");
    const LockResult lock = sperre_->Acquire();
    if (!lock.Held) sperre_.reset();
    if (ops_.Exists(pfad_)) {
        const FileContent inhalt = ops_.ReadAll(pfad_);
        if (!inhalt.bytes) {
            sperre_.reset();
            reporter.Show({"Das Vertretungsjournal " + pfad_ + " kann nicht gelesen werden.\n" +
                               inhalt.reason,
                           titel::Journal});
            return zustand_ = JournalZustand::Beschaedigt;
        }
        JournalLesen gelesen = LiesJournal(*inhalt.bytes);
        if (!gelesen.Daten) {
            sperre_.reset();
            reporter.Show(
                {JournalBeschaedigt(pfad_, gelesen.Zeile, gelesen.Grund), titel::Journal});
            return zustand_ = JournalZustand::Beschaedigt;
        }
        journal_ = std::move(*gelesen.Daten);
    }
    if (!lock.Held) {
        reporter.Show({JournalGesperrt(pfad_, lock.Holder), titel::Journal});
        return zustand_ = JournalZustand::NurLesen;
    }
    return zustand_ = JournalZustand::Bearbeitbar;
}

bool JournalDatei::Speichern(Reporter& reporter) {
    if (!Bearbeitbar()) {
        reporter.Show({"Das Vertretungsjournal " + pfad_ +
                           " ist nicht zum Schreiben geöffnet; die Änderung wird nicht "
                           "gespeichert.",
                       titel::Journal});
        return false;
    }
    const FileResult r = ops_.WriteReplacing(pfad_, JournalText(journal_));
    if (!r) {
        reporter.Show(
            {"Fehler beim Speichern der Datei: " + pfad_ + "\n" + r.Reason, titel::Fehler});
        return false;
    }
    return true;
}

void JournalDatei::Schliessen() {
    sperre_.reset();
    zustand_ = JournalZustand::Geschlossen;
}

} // namespace sw
