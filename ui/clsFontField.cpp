#include "ui/clsFontField.h"

#include <cmath>

#include "game/DirectX.h"
#include "ui/GUI.h"

namespace {

constexpr const char* kNamePlaceholder = "Your NAME";

// Design coordinate plus GUI offset, as a whole pixel.
int32_t Place(int32_t design, float offset) { return static_cast<int32_t>(std::nearbyint(design + offset)); }

}  // namespace

// Without a device (before start-up has made one) the field keeps its text and has no font.
void clsFontField::RebuildFont() {
    GUI::PictureChanged();
    m_DeviceFont = gD3DDevice ? gD3DDevice->CreateFont({m_FontName, m_FontSize, m_Bold}) : nullptr;
}

void clsFontField::Render() {
    if (m_DeviceFont) m_DeviceFont->DrawText(m_Text, m_Rect, d3d::DT_CENTER, static_cast<uint32_t>(m_Colour));
}

void clsFontField::OnLostDevice() {
    if (m_DeviceFont) m_DeviceFont->OnLostDevice();
}

void clsFontField::onRestoreDevice() {
    if (m_DeviceFont) m_DeviceFont->OnResetDevice();
}

std::string clsFontField::Get_String() const { return m_Text; }

void clsFontField::Set_Colour(int16_t R, int16_t G, int16_t B) {
    m_Colour = ColorARGB(255, R, G, B);
    m_R = R;
    m_G = G;
    m_B = B;
    RebuildFont();
}

int32_t clsFontField::Get_Colour(int16_t& R, int16_t& G, int16_t& B) const {
    R = m_R;
    G = m_G;
    B = m_B;
    return m_Colour;
}

void clsFontField::Set_Text(const std::string& writing) {
    m_Text = writing;
    RebuildFont();
}

void clsFontField::concatString(const std::string& writing) {
    if (m_Text == kNamePlaceholder) m_Text.clear();
    m_Text += writing;
    RebuildFont();
}

void clsFontField::removeLastCharacter() {
    if (!m_Text.empty()) m_Text.pop_back();
    RebuildFont();
}

void clsFontField::create() {
    m_FontName = "Ariel";
    m_FontSize = 18;
    m_Bold = true;
    RebuildFont();
    m_Colour = static_cast<int32_t>(0xFFCCCCFFu);
    m_Rect = {1, 550, 800, 600};
}

void clsFontField::Set_Field(int32_t top, int32_t bottom, int32_t left, int32_t Right) {
    m_Rect.Top = Place(top, gGuiOffsetY);
    m_Rect.Bottom = Place(bottom, gGuiOffsetY);
    m_Rect.Left = Place(left, gGuiOffsetX);
    m_Rect.Right = Place(Right, gGuiOffsetX);
    RebuildFont();
}

void clsFontField::Set_FontName(const std::string& Name) {
    m_FontName = Name;
    RebuildFont();
}

std::string clsFontField::Get_FontName() const { return m_FontName; }

void clsFontField::Set_FontSize(int32_t size) {
    m_FontSize = size;
    RebuildFont();
}

int32_t clsFontField::Get_Fontsize() const { return m_FontSize; }

void clsFontField::Set_Bold(bool value) {
    m_Bold = value;
    RebuildFont();
}

bool clsFontField::Get_Bold() const { return m_Bold; }
