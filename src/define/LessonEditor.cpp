// SPDX-License-Identifier: GPL-3.0-or-later
#include "define/LessonEditor.h"

namespace sw {

std::vector<std::string> LessonEditor::TeacherSubjects(int) const {
    return {};
}
std::vector<KursZeile> LessonEditor::TeacherCourses(int) const {
    return {};
}
BlockSeite LessonEditor::View(BlockAnsicht, int, int) const {
    return {};
}
std::string LessonEditor::SummaryText(int, int) {
    return {};
}
std::optional<BlockDialog> LessonEditor::OpenBlockDialog(const BlockAnfrage&, Reporter&) const {
    return std::nullopt;
}
bool LessonEditor::AddBlock(const BlockAnfrage&, std::string_view, Reporter&) {
    return false;
}
bool LessonEditor::RemoveBlock(const AktuellerBlock&, std::string_view, Reporter&) {
    return false;
}
AktuellerBlock LessonEditor::Select(BlockArt, int, BlockAnsicht, std::string_view) const {
    return {};
}
bool LessonEditor::Separation(const AktuellerBlock&) const {
    return false;
}
bool LessonEditor::SetSeparation(const AktuellerBlock&, bool) {
    return false;
}
bool LessonEditor::CanOpenUnits(const AktuellerBlock&, Reporter&) const {
    return false;
}
std::string LessonEditor::UnitsCaption(const AktuellerBlock&, std::string_view) const {
    return {};
}
std::vector<EinheitZeile> LessonEditor::Units(const AktuellerBlock&) const {
    return {};
}
const CEinheit* LessonEditor::Unit(const AktuellerBlock&, int) const {
    return nullptr;
}
int LessonEditor::UnitCount(const AktuellerBlock&) const {
    return 0;
}
bool LessonEditor::Merge(const AktuellerBlock&, const std::vector<int>&) {
    return false;
}
bool LessonEditor::Split(const AktuellerBlock&, const std::vector<int>&, Reporter&) {
    return false;
}
bool LessonEditor::ClearRooms(const AktuellerBlock&, const std::vector<int>&) {
    return false;
}
bool LessonEditor::ClearTime(const AktuellerBlock&, int, Vorgaben&) {
    return false;
}
void LessonEditor::ShowUnit(const AktuellerBlock&, int, Vorgaben&) const {}
void LessonEditor::UpperLimitChanged(const AktuellerBlock&, int, Vorgaben&) {}
void LessonEditor::LowerLimitChanged(const AktuellerBlock&, int, Vorgaben&) {}
void LessonEditor::LimitHourChanged(const AktuellerBlock&, int, Vorgaben&) {}
void LessonEditor::DayLimitChanged(const AktuellerBlock&, int, Vorgaben&) {}
void LessonEditor::DayChanged(const AktuellerBlock&, int, Vorgaben&) {}
void LessonEditor::InitialPlanOnlyChanged(const AktuellerBlock&, int, Vorgaben&) {}
DefinitionCheck LessonEditor::SetTime(const AktuellerBlock&, const std::vector<int>&, int,
                                      Vorgaben&) {
    return {};
}
DefinitionCheck LessonEditor::SetRoom(const AktuellerBlock&, int, std::string_view, bool,
                                      Vorgaben&) {
    return {};
}
std::vector<std::string> LessonEditor::RoomChoices() const {
    return {};
}
TrennungsSeite LessonEditor::Separations(int) const {
    return {};
}
bool LessonEditor::AddToSeparation(int, std::string_view, std::string_view) {
    return false;
}
bool LessonEditor::RemoveFromSeparation(std::string_view, std::string_view) {
    return false;
}

} // namespace sw
