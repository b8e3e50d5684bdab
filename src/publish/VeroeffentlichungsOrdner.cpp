// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/VeroeffentlichungsOrdner.h"

#include "io/FileOps.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace sw {

namespace {

std::string InAnfuehrung(const std::string& s) {
    return "„" + s + "“";
}

// A plain file name inside the folder: not empty, no folder part, not hidden.
bool IstDateiName(const std::string& name) {
    return !name.empty() && name.front() != '.' && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name.find('\0') == std::string::npos;
}

bool IstDatei(const std::string& pfad) {
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::symlink_status(pfad, ec));
}

bool GibtEs(const std::string& pfad) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(pfad, ec));
}

// Writes a new file (never one that exists) with `inhalt`; 0, or the errno of what failed, in
// which case nothing is left behind.
int SchreibeNeu(const std::string& pfad, std::string_view inhalt) {
    const int fd = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return errno;
    std::size_t fertig = 0;
    int fehler = 0;
    while (fertig < inhalt.size() && fehler == 0) {
        const ssize_t n = ::write(fd, inhalt.data() + fertig, inhalt.size() - fertig);
        if (n < 0 && errno != EINTR) fehler = errno;
        if (n > 0) fertig += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0 && fehler == 0) fehler = errno;
    if (fehler != 0) ::unlink(pfad.c_str());
    return fehler;
}

} // namespace

VeroeffentlichungsOrdner::VeroeffentlichungsOrdner(std::string ordner)
    : ordner_(std::move(ordner)) {
    while (ordner_.size() > 1 && ordner_.back() == '/')
        ordner_.pop_back();
}

VeroeffentlichungsOrdner::~VeroeffentlichungsOrdner() {
    Aufraeumen();
}

std::string VeroeffentlichungsOrdner::Voll(const std::string& name) const {
    return ordner_ + "/" + name;
}

std::string VeroeffentlichungsOrdner::Temporaer(const std::string& name) const {
    return ordner_ + "/." + name + "." + std::to_string(::getpid()) + "~tmp";
}

bool VeroeffentlichungsOrdner::Scheitern(std::string text) {
    fehler_ = std::move(text);
    return false;
}

void VeroeffentlichungsOrdner::Aufraeumen() {
    for (const std::string& name : neu_)
        ::unlink(Temporaer(name).c_str());
    neu_.clear();
}

bool VeroeffentlichungsOrdner::Oeffnen() {
    namespace fs = std::filesystem;
    fehler_.clear();
    if (ordner_.empty()) return Scheitern("Es ist kein Ordner zum Veröffentlichen angegeben.");
    std::error_code ec;
    const fs::file_status st = fs::status(ordner_, ec);
    if (fs::exists(st) && !fs::is_directory(st))
        return Scheitern(InAnfuehrung(ordner_) +
                         " ist kein Ordner. Wählen Sie einen Ordner für die veröffentlichten "
                         "Seiten.");
    if (!fs::exists(st) && !fs::create_directories(ordner_, ec) && ec)
        return Scheitern("Der Ordner " + InAnfuehrung(ordner_) + " kann nicht angelegt werden:\n" +
                         SystemReason(ec.value()));
    // A probe shows at once whether files can be made in the folder.
    const std::string probe = Temporaer("probe");
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return Scheitern("In den Ordner " + InAnfuehrung(ordner_) +
                         " kann nicht geschrieben werden:\n" + SystemReason(errno));
    ::close(fd);
    ::unlink(probe.c_str());

    frueher_.clear();
    const std::string liste = Voll(kVeroeffentlichtListe);
    if (GibtEs(liste)) {
        std::ifstream in(liste, std::ios::binary);
        if (!in)
            return Scheitern("Die Liste der veröffentlichten Dateien " + InAnfuehrung(liste) +
                             " kann nicht gelesen werden:\n" + SystemReason(errno));
        std::string zeile;
        while (std::getline(in, zeile)) {
            if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
            if (IstDateiName(zeile) && zeile.front() != '#') frueher_.insert(zeile);
        }
    }
    offen_ = true;
    return true;
}

int VeroeffentlichungsOrdner::Ersetze(const std::string& ziel, std::string_view inhalt) const {
    const std::string temp = ziel + "." + std::to_string(::getpid()) + "~tmp";
    int fehler = SchreibeNeu(temp, inhalt);
    if (fehler == 0 && ::rename(temp.c_str(), ziel.c_str()) != 0) {
        fehler = errno;
        ::unlink(temp.c_str());
    }
    return fehler;
}

bool VeroeffentlichungsOrdner::Schreibe(const std::string& name, std::string_view inhalt) {
    if (!offen_) return Scheitern("Der Ordner " + InAnfuehrung(ordner_) + " ist nicht geöffnet.");
    if (!IstDateiName(name) || name == kVeroeffentlichtListe)
        return Scheitern(InAnfuehrung(name) + " ist kein zulässiger Dateiname.");
    if (std::find(neu_.begin(), neu_.end(), name) != neu_.end())
        return Scheitern("Die Datei " + InAnfuehrung(name) +
                         " wurde in diesem Lauf schon geschrieben: zwei Seiten hätten denselben "
                         "Namen.");
    const std::string ziel = Voll(name);
    if (GibtEs(ziel) && (!frueher_.contains(name) || !IstDatei(ziel)))
        return Scheitern("Die Datei " + InAnfuehrung(name) + " im Ordner " + InAnfuehrung(ordner_) +
                         " stammt nicht von Stundenwerk und wird nicht überschrieben. Wählen Sie "
                         "einen leeren Ordner oder einen, in den Stundenwerk schon veröffentlicht "
                         "hat.");
    if (const int fehler = SchreibeNeu(Temporaer(name), inhalt))
        return Scheitern("Die Datei " + InAnfuehrung(name) + " im Ordner " + InAnfuehrung(ordner_) +
                         " kann nicht geschrieben werden:\n" + SystemReason(fehler));
    neu_.push_back(name);
    return true;
}

void VeroeffentlichungsOrdner::Behalte(const std::string& name) {
    if (frueher_.contains(name)) behalten_.insert(name);
}

bool VeroeffentlichungsOrdner::ListeSchreiben(const std::set<std::string>& namen) {
    std::string text = "# Von Stundenwerk veröffentlichte Dateien: nur diese werden ersetzt oder "
                       "entfernt.\n";
    for (const std::string& n : namen)
        text += n + "\n";
    if (const int fehler = Ersetze(Voll(kVeroeffentlichtListe), text))
        return Scheitern("Die Liste der veröffentlichten Dateien im Ordner " +
                         InAnfuehrung(ordner_) + " kann nicht geschrieben werden:\n" +
                         SystemReason(fehler));
    return true;
}

bool VeroeffentlichungsOrdner::Abschluss() {
    if (!offen_) return Scheitern("Der Ordner " + InAnfuehrung(ordner_) + " ist nicht geöffnet.");
    // First the list names old and new, so that a stop on the way leaves nothing of ours
    // unnamed.
    std::set<std::string> alle = frueher_;
    alle.insert(neu_.begin(), neu_.end());
    if (!ListeSchreiben(alle)) {
        Aufraeumen();
        return false;
    }
    std::vector<std::string> reihe = neu_;
    std::stable_partition(reihe.begin(), reihe.end(),
                          [](const std::string& n) { return n != "index.html"; });
    for (const std::string& name : reihe) {
        if (::rename(Temporaer(name).c_str(), Voll(name).c_str()) != 0) {
            const int fehler = errno;
            Aufraeumen();
            return Scheitern("Die Datei " + InAnfuehrung(name) + " im Ordner " +
                             InAnfuehrung(ordner_) + " kann nicht ersetzt werden:\n" +
                             SystemReason(fehler));
        }
    }
    std::set<std::string> jetzt(neu_.begin(), neu_.end());
    for (const std::string& name : frueher_) {
        if (jetzt.contains(name)) continue;
        if (behalten_.contains(name) && IstDatei(Voll(name))) {
            jetzt.insert(name);
            continue;
        }
        if (IstDatei(Voll(name))) ::unlink(Voll(name).c_str());
    }
    neu_.clear();
    frueher_ = jetzt;
    behalten_.clear();
    return ListeSchreiben(jetzt);
}

std::vector<std::string> VeroeffentlichungsOrdner::Frueher() const {
    std::vector<std::string> out;
    for (const std::string& name : frueher_)
        if (IstDatei(Voll(name))) out.push_back(name);
    return out;
}

} // namespace sw
