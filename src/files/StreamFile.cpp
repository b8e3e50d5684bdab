// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/StreamFile.h"

#include "model/Cp1252.h"

#include <optional>
#include <utility>

namespace sw {

namespace {

// Fewest tokens each item of a list takes in the file; a count that the rest of the file
// cannot hold is refused before anything is allocated.
constexpr int kRaumTokens = 2 + 1 + 3 + 3 + 1 + 1 + kSlotCount;
constexpr int kLehrerTokens = 2 + 1 + 1 + 1 + kSlotCount + 6;
constexpr int kKlasseTokens = 1 + kSlotCount + 6;
constexpr int kFachBlockTokens = 8;
constexpr int kEinheitTokens = 8;
constexpr int kKursBlockTokens = 8;
constexpr int kKursLehrerTokens = 2;

std::string Q(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// ---- Checking before writing ----

// Collects the first reason why the data cannot be written.
class StorableCheck {
public:
    explicit StorableCheck(const Stammdaten& data) : data_(data) {}

    // `what` names the kind of text ("Der Name"), `owner` the entity it belongs to.
    void Text(std::string_view text, std::string_view what, std::string_view owner) {
        if (!IsStorableText(text))
            Problem(std::string(what) + " " + Q(text) + " (" + std::string(owner) +
                    ") kann in dieser Datei nicht gespeichert werden.");
    }
    void Texts(const std::vector<std::string>& texts, std::string_view what,
               std::string_view owner) {
        for (const auto& t : texts)
            Text(t, what, owner);
    }
    void Einheiten(const std::vector<CEinheit>& einheiten, const std::string& owner) {
        for (const auto& e : einheiten) {
            Text(e.Raum, "Der Raumname", owner);
            if (e.Laenge < 1)
                Problem("Eine Einheit (" + owner + ") hat die ungültige Länge " +
                        std::to_string(e.Laenge) + ".");
            if (e.Zeitvorgabe < kNoSlot || e.Zeitvorgabe >= kSlotCount)
                Problem("Eine Einheit (" + owner + ") hat die ungültige Zeitvorgabe " +
                        std::to_string(e.Zeitvorgabe) + ".");
        }
    }
    void KnownLehrer(const std::string& name, const std::string& owner) {
        if (data_.FindLehrer(name) < 0)
            Problem(owner + " nennt den Lehrer " + Q(name) +
                    ", der nicht in der Lehrerliste steht.");
    }
    void KnownKlasse(const std::string& name, const std::string& owner) {
        if (data_.FindKlasse(name) < 0)
            Problem(owner + " nennt die Klasse " + Q(name) +
                    ", die nicht in der Klassenliste steht.");
    }
    void Problem(std::string text) {
        if (!problem_) problem_ = std::move(text);
    }
    Outcome Result() const {
        if (!problem_) return Outcome::Success();
        return Outcome::Failure("Die Daten können nicht gespeichert werden:\n" + *problem_,
                                titel::Dateifehler);
    }

private:
    const Stammdaten& data_;
    std::optional<std::string> problem_;
};

// ---- Reading the lists ----

void ReadAngaben(TokenReader& in, AllgemeineAngaben& a) {
    a.Tage = in.ReadIntIn(1, kMaxDays,
                          "ist keine gültige Anzahl an Unterrichtstagen (1 bis " +
                              std::to_string(kMaxDays) + ").");
    a.Stunden = in.ReadIntIn(1, kMaxHour,
                             "ist keine gültige Anzahl an Stunden pro Tag (1 bis " +
                                 std::to_string(kMaxHour) + ").");
    a.Nullte = in.ReadFlag() != 0;
    a.TagNamen.clear();
    const int n = in.ReadCount();
    for (int i = 0; i < n && in.Ok(); ++i)
        a.TagNamen.push_back(in.ReadText());
}

std::vector<std::string> ReadTexts(TokenReader& in) {
    std::vector<std::string> texts;
    const int n = in.ReadCount();
    for (int i = 0; i < n && in.Ok(); ++i)
        texts.push_back(in.ReadText());
    return texts;
}

std::vector<CEinheit> ReadEinheiten(TokenReader& in) {
    std::vector<CEinheit> einheiten;
    const int n = in.ReadCount(kEinheitTokens);
    for (int i = 0; i < n && in.Ok(); ++i)
        einheiten.push_back(in.ReadEinheit());
    return einheiten;
}

CRaumFach ReadRaum(TokenReader& in) {
    CRaumFach r;
    r.Name = in.ReadText();
    r.Kurz = in.ReadText();
    r.Faecher = ReadTexts(in);
    for (auto& f : r.FachTyp)
        f = in.ReadFlag();
    for (auto& f : r.KlassenTyp)
        f = in.ReadFlag();
    r.KlassenKursFreigabe = in.ReadFlag();
    r.Klasse = in.ReadText();
    r.Sperre = in.ReadGrid();
    return r;
}

CLehrer ReadLehrer(TokenReader& in) {
    CLehrer l;
    l.Name = in.ReadText();
    l.Kurz = in.ReadText();
    l.Faecher = ReadTexts(in);
    l.KlassenLehrer = in.ReadFlag();
    l.Klasse = in.ReadText();
    l.Sperre = in.ReadGrid();
    l.MaxProTag = in.ReadInt();
    l.TageMitMax = in.ReadInt();
    l.ProdOpt = in.ReadInt();
    l.Opti = in.ReadFlag();
    l.NichtVerfuegbar = in.ReadFlag();
    l.TendenzZuFreienTagen = in.ReadFlag();
    return l;
}

CKlasse ReadKlasse(TokenReader& in) {
    CKlasse k;
    k.Name = in.ReadText();
    k.Sperre = in.ReadGrid();
    k.StundenLimit = in.ReadInt();
    k.ProdOpt = in.ReadInt();
    k.MaxProTag = in.ReadInt();
    k.MinProTag = in.ReadInt();
    k.TageMitMax = in.ReadInt();
    k.Opti = in.ReadFlag();
    return k;
}

// A teacher or class name that must stand in its list; `data` holds the lists read so far.
std::string ReadLehrerName(TokenReader& in, const Stammdaten& data) {
    std::string name = in.ReadText();
    if (in.Ok() && data.FindLehrer(name) < 0)
        in.Fail(in.Position(), "Der Lehrer " + Q(name) + " steht nicht in der Lehrerliste.");
    return name;
}

std::string ReadKlassenName(TokenReader& in, const Stammdaten& data) {
    std::string name = in.ReadText();
    if (in.Ok() && data.FindKlasse(name) < 0)
        in.Fail(in.Position(), "Die Klasse " + Q(name) + " steht nicht in der Klassenliste.");
    return name;
}

Unterricht ReadFachBlock(TokenReader& in, const Stammdaten& data) {
    Unterricht u;
    u.Key = in.ReadText();
    u.Block.Lehrer = ReadLehrerName(in, data);
    u.Block.Klasse = ReadKlassenName(in, data);
    u.Block.Fach = in.ReadText();
    u.Block.Trennung = in.ReadFlag();
    u.Block.SpezialTrennung = in.ReadInt();
    u.Block.BStunden = in.ReadInt();
    u.Block.Einheiten = ReadEinheiten(in);
    return u;
}

CKursBlock ReadKursBlock(TokenReader& in, const Stammdaten& data) {
    CKursBlock k;
    k.Name = in.ReadText();
    k.Kurz = in.ReadText();
    k.Trennung = in.ReadFlag();
    k.SpezialTrennung = in.ReadInt();
    k.BStunden = in.ReadInt();
    k.Faecher = ReadTexts(in);
    const int lehrer = in.ReadCount(kKursLehrerTokens);
    for (int i = 0; i < lehrer && in.Ok(); ++i) {
        CKursLehrer kl;
        kl.Name = ReadLehrerName(in, data);
        kl.Einheiten = ReadEinheiten(in);
        k.Lehrer.push_back(std::move(kl));
    }
    const int klassen = in.ReadCount();
    for (int i = 0; i < klassen && in.Ok(); ++i)
        k.Klassen.push_back(ReadKlassenName(in, data));
    return k;
}

} // namespace

Outcome CheckStorable(const Stammdaten& data) {
    StorableCheck check(data);
    const auto& a = data.Angaben;
    if (!IsValidTage(a.Tage))
        check.Problem("Die Anzahl der Unterrichtstage (" + std::to_string(a.Tage) +
                      ") liegt nicht zwischen 1 und " + std::to_string(kMaxDays) + ".");
    if (!IsValidStunden(a.Stunden))
        check.Problem("Die Anzahl der Stunden pro Tag (" + std::to_string(a.Stunden) +
                      ") liegt nicht zwischen 1 und " + std::to_string(kMaxHour) + ".");
    for (std::size_t d = 0; d < a.TagNamen.size(); ++d)
        check.Text(a.TagNamen[d], "Der Tagesname", "Tag " + std::to_string(d + 1));
    check.Texts(data.Faecher, "Der Name", "Fach");
    for (const auto& r : data.Raeume) {
        check.Text(r.Name, "Der Name", "Raum");
        const std::string owner = "Raum " + Q(r.Name);
        check.Text(r.Kurz, "Das Kürzel", owner);
        check.Texts(r.Faecher, "Der Fachname", owner);
        check.Text(r.Klasse, "Der Klassenname", owner);
    }
    for (const auto& l : data.Lehrer) {
        check.Text(l.Name, "Der Name", "Lehrer");
        const std::string owner = "Lehrer " + Q(l.Name);
        check.Text(l.Kurz, "Das Kürzel", owner);
        check.Texts(l.Faecher, "Der Fachname", owner);
        check.Text(l.Klasse, "Der Klassenname", owner);
    }
    for (const auto& k : data.Klassen)
        check.Text(k.Name, "Der Name", "Klasse");
    for (const auto& u : data.FachBloecke) {
        check.Text(u.Key, "Der Schlüssel", "Unterricht");
        const std::string owner = "Unterricht " + Q(u.Key);
        check.Text(u.Block.Lehrer, "Der Lehrername", owner);
        check.Text(u.Block.Klasse, "Der Klassenname", owner);
        check.Text(u.Block.Fach, "Der Fachname", owner);
        check.KnownLehrer(u.Block.Lehrer, "Der " + owner);
        check.KnownKlasse(u.Block.Klasse, "Der " + owner);
        check.Einheiten(u.Block.Einheiten, owner);
    }
    for (const auto& k : data.KursBloecke) {
        check.Text(k.Name, "Der Name", "Kurs");
        const std::string owner = "Kurs " + Q(k.Name);
        check.Text(k.Kurz, "Das Kürzel", owner);
        check.Texts(k.Faecher, "Der Fachname", owner);
        for (const auto& kl : k.Lehrer) {
            check.Text(kl.Name, "Der Lehrername", owner);
            check.KnownLehrer(kl.Name, "Der " + owner);
            check.Einheiten(kl.Einheiten, owner + ", Lehrer " + Q(kl.Name));
        }
        for (const auto& klasse : k.Klassen) {
            check.Text(klasse, "Der Klassenname", owner);
            check.KnownKlasse(klasse, "Der " + owner);
        }
    }
    return check.Result();
}

void WriteStammdatenPart(TokenWriter& out, const Stammdaten& data) {
    const auto writeTexts = [&out](const std::vector<std::string>& texts) {
        out.WriteInt(static_cast<int>(texts.size()));
        for (const auto& t : texts)
            out.WriteText(t);
    };
    const auto writeEinheiten = [&out](const std::vector<CEinheit>& einheiten) {
        out.WriteInt(static_cast<int>(einheiten.size()));
        for (const auto& e : einheiten)
            out.WriteEinheit(e);
    };

    out.WriteInt(data.Angaben.Tage);
    out.WriteInt(data.Angaben.Stunden);
    out.WriteFlag(data.Angaben.Nullte ? 1 : 0);
    writeTexts(data.Angaben.TagNamen);
    writeTexts(data.Faecher);

    out.WriteInt(static_cast<int>(data.Raeume.size()));
    for (const auto& r : data.Raeume) {
        out.WriteText(r.Name);
        out.WriteText(r.Kurz);
        writeTexts(r.Faecher);
        for (Flag f : r.FachTyp)
            out.WriteFlag(f);
        for (Flag f : r.KlassenTyp)
            out.WriteFlag(f);
        out.WriteFlag(r.KlassenKursFreigabe);
        out.WriteText(r.Klasse);
        out.WriteGrid(r.Sperre);
    }

    out.WriteInt(static_cast<int>(data.Lehrer.size()));
    for (const auto& l : data.Lehrer) {
        out.WriteText(l.Name);
        out.WriteText(l.Kurz);
        writeTexts(l.Faecher);
        out.WriteFlag(l.KlassenLehrer);
        out.WriteText(l.Klasse);
        out.WriteGrid(l.Sperre);
        out.WriteInt(l.MaxProTag);
        out.WriteInt(l.TageMitMax);
        out.WriteInt(l.ProdOpt);
        out.WriteFlag(l.Opti);
        out.WriteFlag(l.NichtVerfuegbar);
        out.WriteFlag(l.TendenzZuFreienTagen);
    }

    out.WriteInt(static_cast<int>(data.Klassen.size()));
    for (const auto& k : data.Klassen) {
        out.WriteText(k.Name);
        out.WriteGrid(k.Sperre);
        out.WriteInt(k.StundenLimit);
        out.WriteInt(k.ProdOpt);
        out.WriteInt(k.MaxProTag);
        out.WriteInt(k.MinProTag);
        out.WriteInt(k.TageMitMax);
        out.WriteFlag(k.Opti);
    }

    out.WriteInt(static_cast<int>(data.FachBloecke.size()));
    for (const auto& u : data.FachBloecke) {
        out.WriteText(u.Key);
        out.WriteText(u.Block.Lehrer);
        out.WriteText(u.Block.Klasse);
        out.WriteText(u.Block.Fach);
        out.WriteFlag(u.Block.Trennung);
        out.WriteInt(u.Block.SpezialTrennung);
        out.WriteInt(u.Block.BStunden);
        writeEinheiten(u.Block.Einheiten);
    }

    out.WriteInt(static_cast<int>(data.KursBloecke.size()));
    for (const auto& k : data.KursBloecke) {
        out.WriteText(k.Name);
        out.WriteText(k.Kurz);
        out.WriteFlag(k.Trennung);
        out.WriteInt(k.SpezialTrennung);
        out.WriteInt(k.BStunden);
        writeTexts(k.Faecher);
        out.WriteInt(static_cast<int>(k.Lehrer.size()));
        for (const auto& kl : k.Lehrer) {
            out.WriteText(kl.Name);
            writeEinheiten(kl.Einheiten);
        }
        writeTexts(k.Klassen);
    }
}

Outcome ReadStammdatenPart(TokenReader& in, Stammdaten& data) {
    Stammdaten fresh;
    ReadAngaben(in, fresh.Angaben);
    fresh.Faecher = ReadTexts(in);

    int n = in.ReadCount(kRaumTokens);
    for (int i = 0; i < n && in.Ok(); ++i)
        fresh.Raeume.push_back(ReadRaum(in));
    n = in.ReadCount(kLehrerTokens);
    for (int i = 0; i < n && in.Ok(); ++i)
        fresh.Lehrer.push_back(ReadLehrer(in));
    n = in.ReadCount(kKlasseTokens);
    for (int i = 0; i < n && in.Ok(); ++i)
        fresh.Klassen.push_back(ReadKlasse(in));
    n = in.ReadCount(kFachBlockTokens);
    for (int i = 0; i < n && in.Ok(); ++i)
        fresh.FachBloecke.push_back(ReadFachBlock(in, fresh));
    n = in.ReadCount(kKursBlockTokens);
    for (int i = 0; i < n && in.Ok(); ++i)
        fresh.KursBloecke.push_back(ReadKursBlock(in, fresh));

    if (!in.Ok()) return in.Result();
    fresh.AngabenBestaetigt = true;
    data = std::move(fresh);
    return Outcome::Success();
}

Outcome WriteStreamFile(const Stammdaten& data, const std::string& path, FileOps& files,
                        std::string_view header,
                        const std::function<void(TokenWriter&)>& appendSection) {
    Outcome checked = CheckStorable(data);
    if (!checked.Ok) return checked;

    TokenWriter out;
    out.WriteWord(header);
    WriteStammdatenPart(out, data);
    if (appendSection) appendSection(out);

    const auto bytes = Utf8ToCp1252(out.Text());
    if (!bytes || !files.WriteReplacing(path, *bytes))
        return Outcome::Failure("Fehler beim Speichern der Datei:\n" + path +
                                    "\nDatei konnte nicht erzeugt werden.",
                                titel::Dateifehler);
    return Outcome::Success();
}

StreamReadResult ReadStreamFile(const std::string& path, FileOps& files, bool planExpected) {
    StreamReadResult result;
    const FileContent file = files.ReadAll(path);
    if (!file.bytes) {
        result.outcome =
            Outcome::Failure("Fehler beim Lesen der Datei " + path +
                                 ":\nDie Datei kann nicht geöffnet werden.\n" + file.reason,
                             titel::Dateifehler);
        return result;
    }
    TokenReader in(Cp1252ToUtf8(*file.bytes), path);
    result.header = in.ReadWord();
    if (!in.Ok()) {
        result.outcome = in.Result();
        return result;
    }
    if (planExpected && result.header != kPlanKopf) {
        result.outcome = Outcome::Failure("Dies ist keine Plan - Datei!", titel::DateiFehler);
        return result;
    }
    result.outcome = ReadStammdatenPart(in, result.data);
    result.rest = std::move(in);
    return result;
}

} // namespace sw
