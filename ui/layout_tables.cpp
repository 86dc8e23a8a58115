// SPDX-License-Identifier: MIT
#include "ui/layout_tables.h"

#include <string>

#include "materials/material_catalogue.h"

namespace mq::ui {
namespace {

using A = toolkit::Alignment;
using K = toolkit::ControlKind;

}  // namespace

const toolkit::WindowProperties kCalculatorWindow = {
    .title = "MacQuelvor",
    .contentWidth = 532,
    .contentHeight = 365,
    .closeButton = false,
    .maximizeButton = false,
    .minimizeButton = true,
};

std::span<const toolkit::ControlRow> CalculatorControls() {
  static const std::string kDielectricItems = MaterialCatalogue::DielectricItems();
  static const std::string kConductorItems = MaterialCatalogue::ConductorItems();
  constexpr std::string_view kPageCaptions = "Microstrip\rStripline\rCoaxial";
  // Name, kind, group box, page, {left, top, width, height}, text, alignment, picture.
  // clang-format off
  static const toolkit::ControlRow kRows[] = {
      {"TabPanel1", K::kTabPanel, "", 0, {6, 6, 520, 350}, kPageCaptions, A::kDefault},
      {"GroupBox1", K::kGroupBox, "", 1, {15, 37, 500, 107}, "Material Parameters", A::kDefault},
      {"GroupBox2", K::kGroupBox, "", 1, {15, 150, 219, 160}, "Electrical Characteristics", A::kDefault},
      {"GroupBox3", K::kGroupBox, "", 1, {281, 150, 234, 160}, "Physical Characteristics", A::kDefault},
      {"StaticText1", K::kLabel, "GroupBox1", 1, {19, 87, 80, 20}, "Dielectric Const.", A::kRight},
      {"StaticText2", K::kLabel, "GroupBox1", 1, {19, 116, 80, 20}, "Loss Tangent", A::kRight},
      {"StaticText3", K::kLabel, "GroupBox1", 1, {19, 59, 80, 20}, "Dielectric", A::kRight},
      {"StaticText4", K::kLabel, "GroupBox1", 1, {179, 116, 80, 20}, "Conductivity", A::kRight},
      {"StaticText5", K::kLabel, "GroupBox1", 1, {178, 59, 80, 20}, "Conductor", A::kRight},
      {"StaticText6", K::kLabel, "GroupBox2", 1, {20, 173, 80, 20}, "Impedans", A::kRight},
      {"ImpField", K::kEditField, "GroupBox2", 1, {106, 173, 80, 20}, "50", A::kDefault},
      {"StaticText7", K::kLabel, "GroupBox2", 1, {20, 202, 80, 20}, "Frequency", A::kRight},
      {"FreqField", K::kEditField, "GroupBox2", 1, {106, 202, 80, 20}, "2.5", A::kDefault},
      {"StaticText8", K::kLabel, "", 1, {10, 232, 90, 20}, "Electrical Length", A::kRight},
      {"ElLengthField", K::kEditField, "GroupBox2", 1, {106, 232, 80, 20}, "90", A::kDefault},
      {"StaticText9", K::kLabel, "GroupBox3", 1, {282, 173, 80, 20}, "Physical Length", A::kRight},
      {"PhyLengthField", K::kEditField, "GroupBox3", 1, {368, 173, 80, 20}, "", A::kDefault},
      {"StaticText10", K::kLabel, "GroupBox3", 1, {295, 201, 67, 21}, "Width", A::kRight},
      {"WidthField", K::kEditField, "GroupBox3", 1, {368, 202, 80, 20}, "", A::kDefault},
      {"StaticText11", K::kLabel, "GroupBox3", 1, {282, 232, 80, 20}, "Height", A::kRight},
      {"HeightField", K::kEditField, "GroupBox3", 1, {368, 232, 80, 20}, "1.27", A::kDefault},
      {"ImageWell1", K::kImageWell, "GroupBox1", 1, {380, 55, 132, 86}, "", A::kDefault, 170},
      {"GroupBox4", K::kGroupBox, "", 2, {15, 37, 500, 107}, "Material Parameters", A::kDefault},
      {"GroupBox5", K::kGroupBox, "", 2, {15, 150, 219, 160}, "Electrical Characteristics", A::kDefault},
      {"GroupBox6", K::kGroupBox, "", 2, {281, 150, 234, 160}, "Physical Characteristics", A::kDefault},
      {"StaticText13", K::kLabel, "GroupBox4", 2, {19, 87, 80, 20}, "Dielectric Const.", A::kRight},
      {"DiConstField2", K::kEditField, "GroupBox4", 2, {105, 87, 80, 20}, "1.00", A::kDefault},
      {"StaticText14", K::kLabel, "GroupBox4", 2, {19, 116, 80, 20}, "Loss Tangent", A::kRight},
      {"LossTanField2", K::kEditField, "GroupBox4", 2, {105, 116, 80, 20}, "0", A::kDefault},
      {"StaticText15", K::kLabel, "GroupBox4", 2, {19, 59, 80, 20}, "Dielectric", A::kRight},
      {"StaticText17", K::kLabel, "GroupBox4", 2, {178, 59, 80, 20}, "Conductor", A::kRight},
      {"StaticText18", K::kLabel, "GroupBox5", 2, {20, 173, 80, 20}, "Impedans", A::kRight},
      {"ImpField2", K::kEditField, "GroupBox5", 2, {106, 173, 80, 20}, "50", A::kDefault},
      {"StaticText19", K::kLabel, "GroupBox5", 2, {20, 202, 80, 20}, "Frequency", A::kRight},
      {"FreqField2", K::kEditField, "GroupBox5", 2, {106, 202, 80, 20}, "2.5", A::kDefault},
      {"StaticText20", K::kLabel, "", 2, {10, 232, 90, 20}, "Electrical Length", A::kRight},
      {"ElLengthField2", K::kEditField, "GroupBox5", 2, {106, 232, 80, 20}, "90", A::kDefault},
      {"StaticText21", K::kLabel, "GroupBox6", 2, {282, 173, 80, 20}, "Physical Length", A::kRight},
      {"PhyLengthField2", K::kEditField, "GroupBox6", 2, {368, 173, 80, 20}, "", A::kDefault},
      {"StaticText22", K::kLabel, "GroupBox6", 2, {282, 202, 80, 20}, "Width", A::kRight},
      {"WidthField2", K::kEditField, "GroupBox6", 2, {368, 202, 80, 20}, "", A::kDefault},
      {"StaticText23", K::kLabel, "GroupBox6", 2, {282, 232, 80, 20}, "Height", A::kRight},
      {"HeightField2", K::kEditField, "GroupBox6", 2, {368, 232, 80, 20}, "3.2", A::kDefault},
      {"ImageWell2", K::kImageWell, "GroupBox4", 2, {380, 55, 132, 86}, "", A::kDefault, 168},
      {"GroupBox7", K::kGroupBox, "", 3, {15, 37, 500, 107}, "Material Parameters", A::kDefault},
      {"GroupBox8", K::kGroupBox, "", 3, {15, 150, 219, 160}, "Electrical Characteristics", A::kDefault},
      {"GroupBox9", K::kGroupBox, "", 3, {281, 150, 234, 160}, "Physical Characteristics", A::kDefault},
      {"StaticText25", K::kLabel, "GroupBox7", 3, {19, 87, 80, 20}, "Dielectric Const.", A::kRight},
      {"DiConstField3", K::kEditField, "GroupBox7", 3, {105, 87, 80, 20}, "1.00", A::kDefault},
      {"StaticText26", K::kLabel, "GroupBox7", 3, {19, 116, 80, 20}, "Loss Tangent", A::kRight},
      {"LossTanField3", K::kEditField, "GroupBox7", 3, {105, 116, 80, 20}, "0", A::kDefault},
      {"StaticText27", K::kLabel, "GroupBox7", 3, {19, 59, 80, 20}, "Dielectric", A::kRight},
      {"StaticText29", K::kLabel, "GroupBox7", 3, {178, 59, 80, 20}, "Conductor", A::kRight},
      {"StaticText30", K::kLabel, "GroupBox8", 3, {20, 173, 80, 20}, "Impedans", A::kRight},
      {"ImpField3", K::kEditField, "GroupBox8", 3, {106, 173, 80, 20}, "50", A::kDefault},
      {"StaticText31", K::kLabel, "GroupBox8", 3, {20, 202, 80, 20}, "Frequency", A::kRight},
      {"FreqField3", K::kEditField, "GroupBox8", 3, {106, 202, 80, 20}, "2.5", A::kDefault},
      {"StaticText32", K::kLabel, "", 3, {10, 232, 90, 20}, "Electrical Length", A::kRight},
      {"ElLengthField3", K::kEditField, "GroupBox8", 3, {106, 232, 80, 20}, "90", A::kDefault},
      {"StaticText33", K::kLabel, "GroupBox9", 3, {282, 173, 80, 20}, "Physical Length", A::kRight},
      {"PhyLengthField3", K::kEditField, "GroupBox9", 3, {368, 173, 80, 20}, "20", A::kDefault},
      {"StaticText34", K::kLabel, "GroupBox9", 3, {282, 202, 80, 20}, "Inner Diamater", A::kRight},
      {"InnerDiaField", K::kEditField, "GroupBox9", 3, {368, 202, 80, 20}, "1", A::kDefault},
      {"StaticText35", K::kLabel, "GroupBox9", 3, {282, 232, 80, 20}, "Outer Diameter", A::kRight},
      {"OuterDiaField", K::kEditField, "GroupBox9", 3, {368, 232, 80, 20}, "6.5", A::kDefault},
      {"ImageWell3", K::kImageWell, "GroupBox7", 3, {380, 55, 132, 86}, "", A::kDefault, 169},
      {"ElToPhyBtn", K::kPushButton, "", 1, {240, 201, 35, 22}, "->", A::kDefault},
      {"PhyToElBtn", K::kPushButton, "", 1, {240, 260, 35, 22}, "<-", A::kDefault},
      {"StaticText36", K::kLabel, "GroupBox2", 1, {190, 173, 31, 20}, "Ohm", A::kLeft},
      {"StaticText38", K::kLabel, "GroupBox2", 1, {190, 232, 20, 20}, "Deg", A::kLeft},
      {"StaticText39", K::kLabel, "GroupBox3", 1, {453, 232, 20, 20}, "mm", A::kLeft},
      {"StaticText40", K::kLabel, "GroupBox3", 1, {453, 202, 20, 20}, "mm", A::kLeft},
      {"StaticText41", K::kLabel, "GroupBox3", 1, {453, 173, 20, 20}, "mm", A::kLeft},
      {"DiPopup2", K::kPopupMenu, "GroupBox4", 2, {105, 58, 97, 20}, kDielectricItems, A::kDefault},
      {"ConPopup2", K::kPopupMenu, "GroupBox4", 2, {264, 58, 97, 20}, kConductorItems, A::kDefault},
      {"DiPopup3", K::kPopupMenu, "GroupBox7", 3, {105, 58, 97, 20}, kDielectricItems, A::kDefault},
      {"ConPopup3", K::kPopupMenu, "GroupBox7", 3, {264, 58, 97, 20}, kConductorItems, A::kDefault},
      {"StaticText43", K::kLabel, "GroupBox5", 2, {190, 173, 31, 20}, "Ohm", A::kLeft},
      {"StaticText44", K::kLabel, "GroupBox5", 2, {190, 202, 20, 20}, "GHz", A::kLeft},
      {"StaticText45", K::kLabel, "GroupBox5", 2, {190, 232, 20, 20}, "Deg", A::kLeft},
      {"StaticText46", K::kLabel, "GroupBox6", 2, {453, 173, 20, 20}, "mm", A::kLeft},
      {"StaticText47", K::kLabel, "GroupBox6", 2, {453, 202, 20, 20}, "mm", A::kLeft},
      {"StaticText48", K::kLabel, "GroupBox6", 2, {453, 232, 20, 20}, "mm", A::kLeft},
      {"StaticText50", K::kLabel, "GroupBox8", 3, {190, 173, 31, 20}, "Ohm", A::kLeft},
      {"StaticText51", K::kLabel, "GroupBox8", 3, {190, 202, 20, 20}, "GHz", A::kLeft},
      {"StaticText52", K::kLabel, "GroupBox8", 3, {190, 232, 20, 20}, "Deg", A::kLeft},
      {"StaticText53", K::kLabel, "GroupBox9", 3, {453, 173, 20, 20}, "mm", A::kLeft},
      {"StaticText54", K::kLabel, "GroupBox9", 3, {453, 202, 20, 20}, "mm", A::kLeft},
      {"StaticText55", K::kLabel, "GroupBox9", 3, {453, 232, 20, 20}, "mm", A::kLeft},
      {"StaticText57", K::kLabel, "GroupBox1", 1, {349, 116, 20, 20}, "S/m", A::kLeft},
      {"StaticText37", K::kLabel, "GroupBox2", 1, {190, 202, 20, 20}, "GHz", A::kLeft},
      {"ElToPhyBtn2", K::kPushButton, "", 2, {240, 201, 35, 22}, "->", A::kDefault},
      {"PhyToElBtn2", K::kPushButton, "", 2, {240, 260, 35, 22}, "<-", A::kDefault},
      {"ElToPhyBtn3", K::kPushButton, "", 3, {240, 201, 35, 22}, "->", A::kDefault},
      {"PhyToElBtn3", K::kPushButton, "", 3, {240, 260, 35, 22}, "<-", A::kDefault},
      {"StaticText16", K::kLabel, "GroupBox4", 2, {179, 116, 80, 20}, "Conductivity", A::kRight},
      {"ConField2", K::kEditField, "GroupBox4", 2, {265, 116, 80, 20}, "3.54e+7", A::kDefault},
      {"StaticText28", K::kLabel, "GroupBox4", 2, {349, 116, 20, 20}, "S/m", A::kLeft},
      {"StaticText58", K::kLabel, "GroupBox7", 3, {179, 116, 80, 20}, "Conductivity", A::kRight},
      {"ConField3", K::kEditField, "GroupBox7", 3, {265, 116, 80, 20}, "3.54e+7", A::kDefault},
      {"StaticText59", K::kLabel, "GroupBox7", 3, {349, 116, 20, 20}, "S/m", A::kLeft},
      {"DiPopup", K::kPopupMenu, "GroupBox1", 1, {105, 58, 97, 20}, kDielectricItems, A::kDefault},
      {"ConPopup", K::kPopupMenu, "GroupBox1", 1, {264, 58, 97, 20}, kConductorItems, A::kDefault},
      {"DiConstField", K::kEditField, "GroupBox1", 1, {105, 87, 80, 20}, "1.00", A::kDefault},
      {"LossTanField", K::kEditField, "GroupBox1", 1, {105, 116, 80, 20}, "0", A::kDefault},
      {"ConField", K::kEditField, "GroupBox1", 1, {265, 116, 80, 20}, "3.54e+7", A::kDefault},
      {"StaticText56", K::kLabel, "", 1, {21, 320, 128, 20}, "Eff. Dielectric Constant", A::kRight},
      {"EDiConst", K::kEditField, "", 1, {154, 320, 80, 20}, "", A::kDefault},
      {"StaticText60", K::kLabel, "", 1, {294, 320, 67, 20}, "Attenuation", A::kRight},
      {"Attenuation", K::kEditField, "", 1, {368, 320, 80, 20}, "", A::kDefault},
      {"StaticText61", K::kLabel, "", 1, {453, 320, 35, 20}, "dB/m", A::kLeft},
      {"StaticText42", K::kLabel, "", 2, {294, 320, 67, 20}, "Attenuation", A::kRight},
      {"Attenuation2", K::kEditField, "", 2, {368, 320, 80, 20}, "", A::kDefault},
      {"StaticText62", K::kLabel, "", 2, {453, 320, 35, 20}, "dB/m", A::kLeft},
      {"StaticText24", K::kLabel, "GroupBox6", 2, {282, 261, 80, 20}, "Thickness", A::kRight},
      {"ThicknessField2", K::kEditField, "GroupBox6", 2, {368, 261, 80, 20}, "0.01", A::kDefault},
      {"StaticText49", K::kLabel, "GroupBox6", 2, {453, 261, 20, 20}, "mm", A::kLeft},
      {"StaticText12", K::kLabel, "", 3, {294, 320, 67, 20}, "Attenuation", A::kRight},
      {"Attenuation3", K::kEditField, "", 3, {368, 320, 80, 20}, "", A::kDefault},
      {"StaticText63", K::kLabel, "", 3, {453, 320, 35, 20}, "dB/m", A::kLeft},
  };
  // clang-format on
  return kRows;
}

const std::array<SpokenCaption, 4> kSpokenCaptions = {{
    {"StaticText6", "Impedance"},
    {"StaticText18", "Impedance"},
    {"StaticText30", "Impedance"},
    {"StaticText34", "Inner diameter"},
}};

// Reading order of each page: material, electrical, the two buttons, physical, results.
const std::array<std::vector<std::string_view>, 3> kTabOrder = {{
    {"DiPopup", "ConPopup", "DiConstField", "LossTanField", "ConField", "ImpField", "FreqField",
     "ElLengthField", "ElToPhyBtn", "PhyToElBtn", "PhyLengthField", "WidthField", "HeightField",
     "EDiConst", "Attenuation"},
    {"DiPopup2", "ConPopup2", "DiConstField2", "LossTanField2", "ConField2", "ImpField2",
     "FreqField2", "ElLengthField2", "ElToPhyBtn2", "PhyToElBtn2", "PhyLengthField2", "WidthField2",
     "HeightField2", "ThicknessField2", "Attenuation2"},
    {"DiPopup3", "ConPopup3", "DiConstField3", "LossTanField3", "ConField3", "ImpField3",
     "FreqField3", "ElLengthField3", "ElToPhyBtn3", "PhyToElBtn3", "PhyLengthField3",
     "InnerDiaField", "OuterDiaField", "Attenuation3"},
}};

}  // namespace mq::ui
