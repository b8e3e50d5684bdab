// SPDX-License-Identifier: GPL-3.0-or-later
// ExportSupport.h: a tiny hand-made school with a placed plan, and test doubles for the export
// tests.
//
//   days "Montag", "Dienstag"; hours 1..3 (and 0 when the 0th hour is on)
//   rooms       0 "Physiksaal Süd" (PhS)   1 "Kunstraum" (Ku)   2 "Aula" (Au)
//   teachers    0 "Jürgen Müller" (Mü)     1 "Anna Weiß" (Wß)   2 "Bernd Öztürk" (Öz)
//   classes     0 "5a"                     1 "6ü"
//
//   Montag 1     Erdkunde, Müller, 5a, Aula               (Montag 0 instead with the 0th hour)
//   Montag 3     course "Sport" (Sp) of 5a and 6ü: Weiß in Physiksaal Süd, Müller in Aula
//   Dienstag 1   course "Religion ökumenisch" (Rel) of 5a only: Öztürk in Kunstraum
//   Dienstag 2-3 Französisch double, Weiß, 6ü, Physiksaal Süd
#pragma once

#include "export/ExportRun.h"
#include "export/Word.h"
#include "io/FileOps.h"
#include "model/Report.h"
#include "model/Stammdaten.h"
#include "plan/Plan.h"

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

namespace sw::test {

inline constexpr int kPhysik = 0, kKunst = 1, kAula = 2;
inline constexpr int kMueller = 0, kWeiss = 1, kOeztuerk = 2;
inline constexpr int k5a = 0, k6u = 1;

// The school and its placed plan; the plan refers to `stamm`.
struct ExportSchool {
    Stammdaten stamm;
    CapturingReporter reporter;
    std::unique_ptr<CPlan> plan;
};

std::unique_ptr<ExportSchool> MakeExportSchool(bool nullte);

// Remembers every path it was asked to open.
class RecordingOpener : public DocumentOpener {
public:
    bool Open(const std::string& path) override {
        opened.push_back(path);
        return true;
    }
    std::vector<std::string> opened;
};

// The real disk, except that WriteReplacing fails with a full disk from call number `failFrom`
// on (1 = first).
class FailingWrites : public DiskFileOps {
public:
    explicit FailingWrites(int failFrom) : failFrom_(failFrom) {}
    FileResult WriteReplacing(const std::string& path, std::string_view bytes) override {
        if (++calls_ >= failFrom_) return FileResult::Failed(ENOSPC);
        return DiskFileOps::WriteReplacing(path, bytes);
    }

private:
    int failFrom_;
    int calls_ = 0;
};

// Keeps every progress notification as "Titel|Text|Position/Maximum" and counts Close.
class RecordingObserver : public ExportObserver {
public:
    void Show(const ExportFortschritt& f) override {
        shown.push_back(f.Titel + "|" + f.Text + "|" + std::to_string(f.Position) + "/" +
                        std::to_string(f.Maximum));
    }
    void Close() override { ++closed; }
    std::vector<std::string> shown;
    int closed = 0;
};

// Options choosing exactly the given teachers, classes and rooms.
ExportOptionen Choose(std::vector<int> lehrer, std::vector<int> klassen, std::vector<int> raeume);

} // namespace sw::test
