#include "input_layout.h"

namespace vitayear::ui {
namespace {

constexpr const char* kFace = "Arial Unicode MS";
constexpr const char* kUnitFace = "Arial";

constexpr Role BoxRole(TextBox box, int index = 0) { return {.box = box, .index = index}; }
constexpr Role CaptionOf(TextBox box, int index = 0) { return {.of = Role::Of::Caption, .box = box, .index = index}; }
constexpr Role ListRole(List list) { return {.list = list}; }
constexpr Role CaptionOfList(List list) { return {.of = Role::Of::Caption, .list = list, .namesList = true}; }
constexpr Role ButtonRole(Button button) { return {.button = button}; }
constexpr Role UnitOf(TextBox box, const char* spoken) { return {.of = Role::Of::Unit, .box = box, .spoken = spoken}; }
constexpr Role kResult = {.of = Role::Of::Result};

// name, kind, caption, left, top, width, height, face, points, role
constexpr ControlSpec kRows[] = {
    {"UsrName", Kind::TextBox, "", 2160, 360, 5295, 615, kFace, 18, BoxRole(TextBox::UsrName)},
    {"Lbl_Name", Kind::Label, "Name:", 360, 360, 1575, 615, kFace, 18, CaptionOf(TextBox::UsrName)},
    {"Age", Kind::TextBox, "", 2160, 1200, 1215, 615, kFace, 18, BoxRole(TextBox::Age)},
    {"Sex", Kind::ComboBox, "Male", 2160, 2040, 1935, 615, kFace, 18, ListRole(List::Sex)},
    {"Lbl_Age", Kind::Label, "Age:", 360, 1200, 1575, 615, kFace, 18, CaptionOf(TextBox::Age)},
    {"Label1", Kind::Label, "Sex:", 360, 2040, 1575, 615, kFace, 18, CaptionOfList(List::Sex)},
    {"Weight1", Kind::TextBox, "", 2160, 2880, 1215, 615, kFace, 18, BoxRole(TextBox::Weight1)},
    {"Lbl_Weight", Kind::Label, "Weight:", 360, 2880, 1575, 615, kFace, 18, CaptionOf(TextBox::Weight1)},
    {"WeightUnit", Kind::Label, "kg", 3480, 3000, 735, 495, kUnitFace, 18, UnitOf(TextBox::Weight1, "kilograms")},
    {"Bodyfat", Kind::TextBox, "", 2160, 3720, 1215, 615, kFace, 18, BoxRole(TextBox::Bodyfat)},
    {"Label2", Kind::Label, "Body Fat:", 0, 3720, 1935, 615, kFace, 18, CaptionOf(TextBox::Bodyfat)},
    {"Label3", Kind::Label, "%", 3480, 3840, 735, 495, kUnitFace, 18, UnitOf(TextBox::Bodyfat, "percent")},
    {"Habit", Kind::TextBox, "", 2160, 4560, 855, 615, kFace, 18, BoxRole(TextBox::Habit, 0)},
    {"Label4", Kind::Label, "Exercise:", 360, 4560, 1575, 615, kFace, 18, CaptionOf(TextBox::Habit, 0)},
    {"Habit", Kind::TextBox, "", 2160, 5400, 855, 615, kFace, 18, BoxRole(TextBox::Habit, 1)},
    {"Label5", Kind::Label, "Breakfast:", 0, 5400, 1935, 615, kFace, 18, CaptionOf(TextBox::Habit, 1)},
    {"Habit", Kind::TextBox, "", 2160, 6240, 855, 615, kFace, 18, BoxRole(TextBox::Habit, 2)},
    {"Label6", Kind::Label, "Snacking:", 0, 6240, 1935, 615, kFace, 18, CaptionOf(TextBox::Habit, 2)},
    {"Habit", Kind::TextBox, "", 2160, 7080, 855, 615, kFace, 18, BoxRole(TextBox::Habit, 3)},
    {"Label7", Kind::Label, "Sleep:", 360, 7080, 1575, 615, kFace, 18, CaptionOf(TextBox::Habit, 3)},
    {"Habit", Kind::TextBox, "", 2160, 7920, 855, 615, kFace, 18, BoxRole(TextBox::Habit, 4)},
    {"Label8", Kind::Label, "Smoking:", 120, 7920, 1815, 615, kFace, 18, CaptionOf(TextBox::Habit, 4)},
    {"Habit", Kind::TextBox, "", 2160, 8760, 855, 615, kFace, 18, BoxRole(TextBox::Habit, 5)},
    {"Label9", Kind::Label, "Alcohol:", 360, 8760, 1575, 615, kFace, 18, CaptionOf(TextBox::Habit, 5)},
    {"Printing", Kind::Button, "Print", 4200, 8880, 2055, 615, kFace, 18, ButtonRole(Button::Printing)},
    {"Clear", Kind::Button, "Clear", 6720, 8880, 2055, 615, kFace, 18, ButtonRole(Button::Clear)},
    {"Compute", Kind::Button, "Compute", 9120, 8880, 2055, 615, kFace, 18, ButtonRole(Button::Compute)},
    {"Result", Kind::Label, "", 5520, 1320, 5535, 7095, kFace, 14.25, kResult},
    {"Language", Kind::ComboBox, "English", 4200, 9720, 3135, 615, kFace, 18, ListRole(List::Language)},
    {"Label10", Kind::Label, "Print Language:", 480, 9720, 3495, 615, kFace, 18, CaptionOfList(List::Language)},
};

}  // namespace

const std::span<const ControlSpec> kInputLayout(kRows);

}  // namespace vitayear::ui
