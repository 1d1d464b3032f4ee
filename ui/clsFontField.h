// One piece of text drawn over a menu picture or the 3D scene: a rectangle of back-buffer
// pixels, a colour, a font (face, size, bold) and the text, centred across the rectangle.
#pragma once
#include <cstdint>
#include <string>

#include "platform/Device.h"

class clsFontField {
public:
    // Draws the text centred horizontally, from the top of the rectangle.
    void Render();
    std::string Get_String() const;
    void Set_Colour(int16_t R, int16_t G, int16_t B);
    void OnLostDevice();
    void onRestoreDevice();
    // Writes the last components given to Set_Colour into R, G, B; returns the ARGB colour.
    int32_t Get_Colour(int16_t& R, int16_t& G, int16_t& B) const;
    void Set_Text(const std::string& writing);
    // Appends writing; the name-entry placeholder "Your NAME" is dropped first.
    void concatString(const std::string& writing);
    void removeLastCharacter();
    // The default look: bold 18-point "Ariel", pale blue, along the bottom of the 800 x 600 screen.
    void create();
    // Places the rectangle from 800 x 600 design coordinates, adding the current GUI offsets.
    void Set_Field(int32_t top, int32_t bottom, int32_t left, int32_t Right);
    void Set_FontName(const std::string& Name);
    std::string Get_FontName() const;
    void Set_FontSize(int32_t size);
    int32_t Get_Fontsize() const;
    void Set_Bold(bool value);
    bool Get_Bold() const;

    const d3d::Rect& Rectangle() const { return m_Rect; }

private:
    // Every setter ends here: the device font is made anew from the current face, size and bold.
    void RebuildFont();

    std::string m_FontName = "Ariel";
    int32_t m_FontSize = 8;  // points
    bool m_Bold = false;
    d3d::FontPtr m_DeviceFont;
    d3d::Rect m_Rect;
    int32_t m_Colour = 0;
    int16_t m_R = 0, m_G = 0, m_B = 0;
    std::string m_Text;
};
