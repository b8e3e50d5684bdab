// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"

#include "app/FigureTexts.h"
#include "plan/Evaluation.h"

#include <cstdio>

#include <sys/stat.h>

namespace sw::cli {

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool OutputIsNotInput(const std::string& output, const std::string& input) {
    if (!SameFile(output, input)) return true;
    std::fprintf(stderr,
                 "Die Ausgabe %s ist die Eingabe-Datei %s und würde sie überschreiben. Geben Sie "
                 "mit -o einen anderen Namen an.\n",
                 output.c_str(), input.c_str());
    return false;
}

void StderrReporter::Show(const Message& message) {
    // Written whole: a byte 0 inside a text must not cut the line short.
    std::string line = message.Title.empty() ? message.Text : message.Title + ": " + message.Text;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

bool StderrReporter::Ask(const Message& message, Question) {
    Show(message);
    std::fprintf(stderr, "-> %s\n", answer_ ? "Ja" : "Nein");
    return answer_;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

} // namespace sw::cli

namespace sw::cli {

std::vector<std::string> NamenListe(const std::string& liste) {
    std::vector<std::string> out;
    std::size_t anfang = 0;
    while (anfang <= liste.size()) {
        std::size_t ende = liste.find(',', anfang);
        if (ende == std::string::npos) ende = liste.size();
        const std::size_t a = liste.find_first_not_of(' ', anfang);
        if (a != std::string::npos && a < ende) {
            const std::size_t b = liste.find_last_not_of(' ', ende - 1);
            out.push_back(liste.substr(a, b - a + 1));
        }
        anfang = ende + 1;
    }
    return out;
}

bool Waehle(const std::vector<std::string>& namen, int anzahl, const char* art,
            const std::function<std::pair<std::string, std::string>(int)>& name,
            ExportAuswahl& auswahl) {
    if (namen.empty()) return true;
    auswahl.Aktiv = true;
    for (const std::string& gesucht : namen) {
        if (gesucht == "all") {
            for (int i = 0; i < anzahl; ++i)
                auswahl.Eintraege.push_back(i);
            continue;
        }
        int found = -1;
        for (int i = 0; i < anzahl && found < 0; ++i)
            if (name(i).first == gesucht) found = i;
        for (int i = 0; i < anzahl && found < 0; ++i)
            if (!name(i).second.empty() && name(i).second == gesucht) found = i;
        if (found < 0) {
            std::fprintf(stderr, "Unbekannt (%s): %s\n", art, gesucht.c_str());
            return false;
        }
        auswahl.Eintraege.push_back(found);
    }
    return true;
}

void PrintFigures(const CPlan& plan, const InvariantReport& report) {
    std::printf("Gesetzte Stunden:                     %d\n", report.Placed);
    std::printf("Nicht gesetzte Stunden:               %d\n", report.Unplaced);
    std::printf("Klassen - Summe der Leerstunden:      %d\n", plan.Totals().KLSSumme);
    std::printf("Klassen - Stunden - Verteilung:       %s\n",
                DistributionText(plan.Totals().KProd, plan.Totals().KProdOpt).c_str());
    std::printf("Lehrer - Summe der Leerstunden:       %d\n", plan.Totals().LLSSumme);
    std::printf("Lehrer - Maximum der Leerstunden:     %d\n", plan.Totals().LLSMax);
    std::printf("Lehrer - Stunden-Verteilung:          %s\n",
                DistributionText(plan.Totals().LProd, plan.Totals().LProdOpt).c_str());
    std::printf("Summe der Trennungsfehler:            %d\n", plan.Totals().TFSumme);
    std::printf("Maximum der Trennungsfehler:          %d\n", plan.Totals().TFMax);
    std::printf("Summe der Spezial-Trennungsfehler:    %d\n", plan.Totals().STFSumme);
    std::printf("Maximum der Spezial-Trennungsfehler:  %d\n", plan.Totals().STFMax);
}

std::string FiguresJson(const CPlan& plan, const InvariantReport& report) {
    std::string out = "{";
    out += "\"valid\": " + std::string(report.Ok() ? "true" : "false");
    auto add = [&](const char* key, long long value) {
        out += ", " + JsonString(key) + ": " + std::to_string(value);
    };
    add("violations", static_cast<long long>(report.Violations.size()));
    add("placed", report.Placed);
    add("unplaced", report.Unplaced);
    add("KLSSumme", plan.Totals().KLSSumme);
    add("KProd", plan.Totals().KProd);
    add("KProdOpt", plan.Totals().KProdOpt);
    add("TFSumme", plan.Totals().TFSumme);
    add("TFMax", plan.Totals().TFMax);
    add("STFSumme", plan.Totals().STFSumme);
    add("STFMax", plan.Totals().STFMax);
    add("LLSSumme", plan.Totals().LLSSumme);
    add("LLSMax", plan.Totals().LLSMax);
    add("LProd", plan.Totals().LProd);
    add("LProdOpt", plan.Totals().LProdOpt);
    return out + "}";
}

} // namespace sw::cli
