// SPDX-License-Identifier: GPL-3.0-or-later
// The look of the published pages (stil.css) and the colours of subjects and courses.
#include "publish/WebseiteIntern.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace sw {

namespace {

// The fixed part of the stylesheet. Wide screens see the week grid; narrow ones (phones) a list
// per day instead; printed, only the grid and its legend, in colour, one plan a page.
constexpr const char* kStil = R"(*{box-sizing:border-box}
body{font-family:system-ui,-apple-system,"Segoe UI",Roboto,"Helvetica Neue",Arial,sans-serif;
margin:0 auto;padding:1rem;max-width:1200px;color:#1b1f23;background:#fff;line-height:1.3}
a{color:#0b5cad}
nav{margin-bottom:.6rem;font-size:.95rem}
h1{font-size:1.5rem;margin:.2rem 0 .8rem}
h2{font-size:1.15rem;margin:1.2rem 0 .5rem}
table{border-collapse:collapse}
table.plan{width:100%;table-layout:fixed}
.plan th,.plan td{border:1px solid #9aa3ad;padding:.3rem .35rem;vertical-align:top;
font-size:.9rem;overflow-wrap:anywhere;text-align:left}
.plan thead th{background:#eef1f4}
.plan th.std{width:5.2rem;background:#eef1f4}
.plan th small{display:block;font-weight:normal;color:#4a525a;font-size:.72rem}
.plan td span{display:block}
.plan td span:empty{display:none}
.plan td a,.tagesliste a{color:inherit;text-decoration:none}
.plan td a:hover,.tagesliste a:hover{text-decoration:underline}
body.ganz{max-width:none}
.plan td span:first-child,.tagesliste span:first-of-type{font-weight:600}
.breit{overflow-x:auto}
table.tag{table-layout:auto;min-width:100%}
table.tag td span{min-width:8rem}
table.tag thead th{white-space:nowrap;overflow-wrap:normal}
table.tag th.kl{position:sticky;left:0;z-index:1;background:#eef1f4;width:auto;min-width:6.5rem;
overflow-wrap:normal}
.tagesliste{display:none}
.tagesliste ol{list-style:none;margin:0;padding:0}
.tagesliste li{display:flex;gap:.5rem;padding:.4rem .55rem;margin:.25rem 0;border:1px solid #9aa3ad;
border-radius:5px}
.tagesliste li b{min-width:1.8rem}
.tagesliste li span+span::before{content:" · "}
.tagesliste li span:first-child{display:block}
.tagesliste li span:nth-child(2)::before{content:none}
.tagesliste li.frei{background:#fafbfc;color:#4a525a}
.legende ul{list-style:none;padding:0;display:flex;flex-wrap:wrap;gap:.3rem 1.2rem;margin:0}
.chip{display:inline-block;width:1em;height:1em;border:1px solid #9aa3ad;vertical-align:-.15em;
margin-right:.35em}
.suche input{font-size:1.1rem;padding:.5rem .7rem;width:100%;max-width:28rem;border:1px solid #9aa3ad;
border-radius:5px}
ul.namen{list-style:none;padding:0;margin:0;display:grid;
grid-template-columns:repeat(auto-fill,minmax(11rem,1fr));gap:.3rem .8rem}
ul.namen a{display:block;padding:.3rem .2rem}
.vertretung{width:100%;font-size:1.25rem}
.vertretung th,.vertretung td{border:1px solid #9aa3ad;padding:.45rem .6rem;text-align:left}
.vertretung thead th{background:#eef1f4}
.vertretung td.stunde{white-space:pre-wrap}
.vertretung tr.ausfall td{background:#fde2e1}
footer{margin-top:1.5rem;color:#4a525a;font-size:.8rem}
@media (max-width:700px){
body{padding:.6rem}
table.woche{display:none}
.tagesliste{display:block}
.vertretung{font-size:1rem}
}
@media print{
nav,.suche,footer,.tagesliste{display:none!important}
table.woche{display:table!important}
body{max-width:none;padding:0;font-size:9pt}
*{-webkit-print-color-adjust:exact;print-color-adjust:exact}
@page{size:A4 landscape;margin:1cm}
.plan th,.plan td{font-size:8.5pt;padding:.15rem .25rem}
table,.legende{break-inside:avoid}
a{color:inherit;text-decoration:none}
}
)";

std::uint32_t Fnv(std::string_view text) {
    std::uint32_t h = 2166136261u;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

int Rgb(double r, double g, double b) {
    auto kanal = [](double v) {
        return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    return (kanal(r) << 16) | (kanal(g) << 8) | kanal(b);
}

// Hue in degrees, saturation and lightness 0..1.
int AusHsl(double h, double s, double l) {
    const double c = (1 - std::abs(2 * l - 1)) * s;
    const double x = c * (1 - std::abs(std::fmod(h / 60.0, 2) - 1));
    const double m = l - c / 2;
    const int sektor = static_cast<int>(h / 60) % 6;
    const double rgb[6][3] = {{c, x, 0}, {x, c, 0}, {0, c, x}, {0, x, c}, {x, 0, c}, {c, 0, x}};
    return Rgb(rgb[sektor][0] + m, rgb[sektor][1] + m, rgb[sektor][2] + m);
}

double Linear(int kanal) {
    const double v = kanal / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

std::string Hex(int rgb) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%06x", rgb & 0xFFFFFF);
    return buf;
}

} // namespace

int FarbeVon(std::string_view name) {
    const std::uint32_t h = Fnv(name);
    // Light pastel tones: the hue spreads the names, saturation and lightness vary a little so
    // that neighbouring hues still differ.
    const double hue = static_cast<double>(h % 360);
    const double saettigung = 0.55 + static_cast<double>((h >> 9) % 30) / 100.0;
    const double helligkeit = 0.78 + static_cast<double>((h >> 17) % 10) / 100.0;
    return AusHsl(hue, saettigung, helligkeit);
}

double KontrastZuSchwarz(int rgb) {
    const double l = 0.2126 * Linear((rgb >> 16) & 0xFF) + 0.7152 * Linear((rgb >> 8) & 0xFF) +
                     0.0722 * Linear(rgb & 0xFF);
    return (l + 0.05) / 0.05;
}

std::string Stylesheet(const CPlan& plan) {
    const Stammdaten& s = plan.Stamm();
    std::string css = kStil;
    for (std::size_t i = 0; i < s.Faecher.size(); ++i)
        css += "." + FarbKlasse(false, static_cast<int>(i)) +
               "{background:" + Hex(FarbeVon(s.Faecher[i])) + "}\n";
    for (std::size_t i = 0; i < s.KursBloecke.size(); ++i)
        css += "." + FarbKlasse(true, static_cast<int>(i)) +
               "{background:" + Hex(FarbeVon(s.KursBloecke[i].Name)) + "}\n";
    return css;
}

std::string FarbKlasse(bool kurs, int index) {
    return (kurs ? "k" : "f") + std::to_string(index);
}

} // namespace sw
