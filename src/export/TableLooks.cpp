// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TableLooks.h"

namespace sw {

namespace {

constexpr std::array<std::string_view, kLayoutAnzahl> kNamen = {
    "(ohne)",       "Einfach 1",     "Einfach 2",    "Einfach 3",    "Standard 1",   "Standard 2",
    "Standard 3",   "Standard 4",    "Farbig 1",     "Farbig 2",     "Farbig 3",     "Spalten 1",
    "Spalten 2",    "Spalten 3",     "Spalten 4",    "Spalten 5",    "Gitternetz 1", "Gitternetz 2",
    "Gitternetz 3", "Gitternetz 4",  "Gitternetz 5", "Gitternetz 6", "Gitternetz 7", "Gitternetz 8",
    "Liste 1",      "Liste 2",       "Liste 3",      "Liste 4",      "Liste 5",      "Liste 6",
    "Liste 7",      "Liste 8",       "3D-Effekt 1",  "3D-Effekt 2",  "3D-Effekt 3",  "Aktuell",
    "Elegant",      "Professionell", "Spezial 1",    "Spezial 2",
};

// The palette of our looks.
constexpr int kWeiss = 0xFFFFFF;
constexpr int kHellgrau = 0xF2F2F2;
constexpr int kGrau = 0xD9D9D9;
constexpr int kSilber = 0xBFBFBF;
constexpr int kMittelgrau = 0x808080;
constexpr int kDunkelgrau = 0x404040;
constexpr int kMarine = 0x1F3864;
constexpr int kBlau = 0x2E74B5;
constexpr int kHellblau = 0xDEEAF6;
constexpr int kRotbraun = 0x833C0B;
constexpr int kApricot = 0xFBE4D5;
constexpr int kGruen = 0x385623;
constexpr int kHellgruen = 0xE2EFD9;
constexpr int kGold = 0xBF8F00;
constexpr int kCreme = 0xFFF2CC;
constexpr int kViolett = 0x5B2C6F;
constexpr int kFlieder = 0xE4DFEC;
constexpr int kPetrol = 0x1F6F78;
constexpr int kEis = 0xDAEEF3;

using L = Lines;
using S = LineStyle;

// One row per layout number. Families share their lines; their members differ in emphasis.
constexpr std::array<TableLook, kLayoutAnzahl> kLooks = {{
    /* 0 (ohne)       */ {},
    /* 1 Einfach 1    */ {.lines = L::Rows, .headRule = true},
    /* 2 Einfach 2    */ {.lines = L::Frame, .headBold = true, .headRule = true},
    /* 3 Einfach 3    */ {.lines = L::Grid, .headFill = kGrau, .headBold = true},
    /* 4 Standard 1   */ {.lines = L::Grid},
    /* 5 Standard 2   */ {.lines = L::Grid, .headBold = true},
    /* 6 Standard 3   */ {.lines = L::Grid, .headBold = true, .firstBold = true},
    /* 7 Standard 4   */
    {.lines = L::Grid,
     .style = S::Thick,
     .headFill = kHellgrau,
     .headBold = true,
     .headRule = true},
    /* 8 Farbig 1     */
    {.lines = L::Grid,
     .headFill = kMarine,
     .headText = kWeiss,
     .headBold = true,
     .bandFill = kHellblau},
    /* 9 Farbig 2     */
    {.lines = L::Grid,
     .headFill = kRotbraun,
     .headText = kWeiss,
     .headBold = true,
     .firstFill = kApricot},
    /* 10 Farbig 3    */
    {.lines = L::Rows,
     .headFill = kGruen,
     .headText = kWeiss,
     .headBold = true,
     .bandFill = kHellgruen,
     .firstBold = true},
    /* 11 Spalten 1   */ {.lines = L::Columns, .firstFill = kGrau, .firstBold = true},
    /* 12 Spalten 2   */
    {.lines = L::Columns,
     .headBold = true,
     .firstFill = kDunkelgrau,
     .firstText = kWeiss,
     .firstBold = true},
    /* 13 Spalten 3   */
    {.lines = L::Columns, .headBold = true, .headRule = true, .firstFill = kHellgrau},
    /* 14 Spalten 4   */
    {.lines = L::Columns,
     .style = S::Thick,
     .headFill = kHellblau,
     .headBold = true,
     .firstFill = kHellblau},
    /* 15 Spalten 5   */
    {.lines = L::Columns, .style = S::Double, .headBold = true, .firstBold = true},
    /* 16 Gitternetz 1 */ {.lines = L::Grid, .headBold = true, .headRule = true},
    /* 17 Gitternetz 2 */
    {.lines = L::Grid, .headFill = kGrau, .headBold = true, .firstFill = kGrau, .firstBold = true},
    /* 18 Gitternetz 3 */
    {.lines = L::Grid, .style = S::Thick, .headBold = true, .firstBold = true},
    /* 19 Gitternetz 4 */
    {.lines = L::Grid,
     .lineColour = kMittelgrau,
     .headFill = kDunkelgrau,
     .headText = kWeiss,
     .headBold = true},
    /* 20 Gitternetz 5 */ {.lines = L::Grid, .style = S::Double},
    /* 21 Gitternetz 6 */
    {.lines = L::Grid, .headFill = kHellgrau, .headBold = true, .bandFill = kHellgrau},
    /* 22 Gitternetz 7 */
    {.lines = L::Grid,
     .lineColour = kBlau,
     .headFill = kBlau,
     .headText = kWeiss,
     .headBold = true,
     .firstBold = true},
    /* 23 Gitternetz 8 */ {.lines = L::Grid, .style = S::Thick, .headBold = true},
    /* 24 Liste 1     */
    {.lines = L::Rows, .headBold = true, .headRule = true, .bandFill = kHellgrau},
    /* 25 Liste 2     */ {.lines = L::Rows, .headBold = true, .bandFill = kGrau},
    /* 26 Liste 3     */
    {.lines = L::Rows,
     .headFill = kDunkelgrau,
     .headText = kWeiss,
     .headBold = true,
     .bandFill = kHellgrau},
    /* 27 Liste 4     */
    {.headFill = kBlau, .headText = kWeiss, .headBold = true, .bandFill = kHellblau},
    /* 28 Liste 5     */
    {.lines = L::Frame,
     .headBold = true,
     .headRule = true,
     .bandFill = kHellgruen,
     .firstBold = true},
    /* 29 Liste 6     */
    {.lines = L::Rows, .lineColour = kGold, .headBold = true, .bandFill = kCreme},
    /* 30 Liste 7     */
    {.headBold = true, .headRule = true, .bandFill = kHellgrau, .firstBold = true},
    /* 31 Liste 8     */
    {.lines = L::Rows,
     .style = S::Double,
     .headFill = kViolett,
     .headText = kWeiss,
     .headBold = true,
     .bandFill = kFlieder},
    /* 32 3D-Effekt 1 */
    {.lines = L::Grid,
     .style = S::Thick,
     .lineColour = kMittelgrau,
     .headFill = kSilber,
     .headBold = true,
     .firstFill = kSilber},
    /* 33 3D-Effekt 2 */
    {.lines = L::Frame,
     .style = S::Thick,
     .lineColour = kMittelgrau,
     .headFill = kSilber,
     .headBold = true,
     .bandFill = kHellgrau},
    /* 34 3D-Effekt 3 */
    {.lines = L::Grid,
     .style = S::Thick,
     .lineColour = kDunkelgrau,
     .headFill = kMittelgrau,
     .headText = kWeiss,
     .headBold = true,
     .firstFill = kGrau,
     .firstBold = true},
    /* 35 Aktuell     */
    {.lines = L::Rows, .headFill = kPetrol, .headText = kWeiss, .headBold = true, .bandFill = kEis},
    /* 36 Elegant     */
    {.lines = L::Grid,
     .style = S::Double,
     .lineColour = 0x595959,
     .headBold = true,
     .headRule = true},
    /* 37 Professionell */
    {.lines = L::Grid,
     .headFill = kDunkelgrau,
     .headText = kWeiss,
     .headBold = true,
     .bandFill = kHellgrau,
     .firstBold = true},
    /* 38 Spezial 1   */
    {.lines = L::Grid,
     .headFill = kHellblau,
     .headBold = true,
     .firstFill = kMarine,
     .firstText = kWeiss,
     .firstBold = true},
    /* 39 Spezial 2   */
    {.lines = L::Frame,
     .style = S::Thick,
     .headFill = kCreme,
     .headBold = true,
     .headRule = true,
     .firstFill = kCreme,
     .firstBold = true},
}};

} // namespace

const std::array<std::string_view, kLayoutAnzahl>& TabellenLayoutNamen() {
    return kNamen;
}

const TableLook& LookOf(int format) {
    return kLooks[static_cast<std::size_t>(format)];
}

int GreyOf(int rgb) {
    if (rgb == kNoColour) return kNoColour;
    const int r = (rgb >> 16) & 0xFF;
    const int g = (rgb >> 8) & 0xFF;
    const int b = rgb & 0xFF;
    const int y = (299 * r + 587 * g + 114 * b + 500) / 1000;
    return (y << 16) | (y << 8) | y;
}

TableLook ResolveLook(const TableFormatSpec& chosen) {
    TableLook look = LookOf(chosen.Format);
    if (!chosen.Has(kRahmen)) {
        look.lines = Lines::None;
        look.headRule = false;
    }
    if (!chosen.Has(kSchattierung)) {
        // Light text was chosen for a dark fill; without the fill it would vanish.
        look.headFill = look.bandFill = look.firstFill = kNoColour;
        look.headText = look.firstText = kNoColour;
    }
    if (!chosen.Has(kUeberschriften)) {
        look.headFill = look.headText = kNoColour;
        look.headBold = look.headRule = false;
    }
    if (!chosen.Has(kErsteSpalte)) {
        look.firstFill = look.firstText = kNoColour;
        look.firstBold = false;
    }
    if (!chosen.Has(kFarbe)) {
        look.lineColour = GreyOf(look.lineColour);
        look.headFill = GreyOf(look.headFill);
        look.headText = GreyOf(look.headText);
        look.bandFill = GreyOf(look.bandFill);
        look.firstFill = GreyOf(look.firstFill);
        look.firstText = GreyOf(look.firstText);
    }
    return look;
}

} // namespace sw
