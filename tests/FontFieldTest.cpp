#include <gtest/gtest.h>

#include <stdexcept>

#include "game/DirectX.h"
#include "platform/recording/RecordingDevice.h"
#include "ui/FontFieldTable.h"
#include "ui/clsFontField.h"

using d3d::CallKind;

namespace {

// Fields draw through a recording device; the GUI offsets are those of the mode asked for.
class FontField : public ::testing::Test {
protected:
    void SetUp() override {
        previousDevice_ = gD3DDevice;
        gD3DDevice = &device;
        UseOffsets(0, 0);
    }
    void TearDown() override {
        UseOffsets(0, 0);
        gD3DDevice = previousDevice_;
    }
    static void UseOffsets(float x, float y) {
        gGuiOffsetX = x;
        gGuiOffsetY = y;
    }
    static clsFontField WithText(const std::string& text) {
        clsFontField field;
        field.Set_Text(text);
        return field;
    }

    d3d::RecordingDevice device;

private:
    d3d::Device* previousDevice_ = nullptr;
};

}  // namespace

TEST_F(FontField, ConcatStringDropsOnlyTheExactPlaceholder) {
    struct Case {
        const char* before;
        const char* after;
    };
    for (Case c : {Case{"Your NAME", "A"}, Case{"Your NAM", "Your NAMA"}, Case{"your name", "your nameA"},
                   Case{"", "A"}, Case{"Your NAMEX", "Your NAMEXA"}}) {
        clsFontField field = WithText(c.before);
        field.concatString("A");
        EXPECT_EQ(field.Get_String(), c.after) << c.before;
    }
}

TEST_F(FontField, RemoveLastCharacterStopsAtEmpty) {
    clsFontField field = WithText("Your NAME");
    field.removeLastCharacter();
    EXPECT_EQ(field.Get_String(), "Your NAM");
    field = WithText("");
    field.removeLastCharacter();
    EXPECT_EQ(field.Get_String(), "");
}

TEST_F(FontField, SetFieldAddsTheOffsetsOfTheModeAtTheTimeOfTheCall) {
    clsFontField field;
    field.Set_Field(330, 450, 140, 660);
    const d3d::Rect small = field.Rectangle();
    EXPECT_EQ(std::tie(small.Left, small.Top, small.Right, small.Bottom), std::make_tuple(140, 330, 660, 450));

    UseOffsets(112, 84);
    EXPECT_EQ(field.Rectangle().Left, 140) << "placed before the mode changed";
    field.Set_Field(330, 450, 140, 660);
    const d3d::Rect large = field.Rectangle();
    EXPECT_EQ(std::tie(large.Left, large.Top, large.Right, large.Bottom), std::make_tuple(252, 414, 772, 534));
}

TEST_F(FontField, ColourIsOpaqueAndKeepsItsComponents) {
    clsFontField field;
    field.Set_Colour(255, 255, 0);
    int16_t r = 0, g = 0, b = 0;
    EXPECT_EQ(static_cast<uint32_t>(field.Get_Colour(r, g, b)), 0xFFFFFF00u);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(int16_t{255}, int16_t{255}, int16_t{0}));
}

TEST_F(FontField, CreateGivesTheDefaultLookWhateverTheMode) {
    UseOffsets(112, 84);
    clsFontField field;
    field.Set_Colour(10, 20, 30);
    field.create();
    EXPECT_EQ(field.Get_FontName(), "Ariel");
    EXPECT_EQ(field.Get_Fontsize(), 18);
    EXPECT_TRUE(field.Get_Bold());
    int16_t r = 0, g = 0, b = 0;
    EXPECT_EQ(static_cast<uint32_t>(field.Get_Colour(r, g, b)), 0xFFCCCCFFu);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(int16_t{10}, int16_t{20}, int16_t{30})) << "components untouched";
    const d3d::Rect rect = field.Rectangle();
    EXPECT_EQ(std::tie(rect.Left, rect.Top, rect.Right, rect.Bottom), std::make_tuple(1, 550, 800, 600));
}

TEST_F(FontField, RenderDrawsCentredAtTheTopWithTheFieldsFontAndColour) {
    UseOffsets(112, 84);
    clsFontField field;
    field.Set_Field(100, 140, 200, 600);
    field.Set_FontName("Ariel");
    field.Set_FontSize(24);
    field.Set_Bold(true);
    field.Set_Colour(255, 200, 0);
    field.Set_Text("Stars 0 / of 5");
    device.ClearRecording();
    field.Render();

    ASSERT_EQ(device.TextDraws().size(), 1u);
    const d3d::TextDraw& draw = device.TextDraws()[0];
    EXPECT_EQ(draw.Text, "Stars 0 / of 5");
    EXPECT_EQ(draw.Format, static_cast<uint32_t>(d3d::DT_CENTER));
    EXPECT_EQ(draw.Argb, 0xFFFFC800u);
    EXPECT_EQ(std::tie(draw.Rect.Left, draw.Rect.Top, draw.Rect.Right, draw.Rect.Bottom),
              std::make_tuple(312, 184, 712, 224));
    EXPECT_EQ(draw.Font.Face, "Ariel");
    EXPECT_EQ(draw.Font.PointSize, 24);
    EXPECT_TRUE(draw.Font.Bold);
}

TEST_F(FontField, EverySetterMakesANewDeviceFontAndNothingElseDoes) {
    clsFontField field;
    const auto fontsAfter = [&](auto change) {
        device.ClearRecording();
        change();
        return device.CountOf(CallKind::CreateFont);
    };
    EXPECT_EQ(fontsAfter([&] { field.Set_Text("x"); }), 1u);
    EXPECT_EQ(fontsAfter([&] { field.concatString("y"); }), 1u);
    EXPECT_EQ(fontsAfter([&] { field.removeLastCharacter(); }), 1u);
    EXPECT_EQ(fontsAfter([&] { field.Set_Colour(1, 2, 3); }), 1u);
    EXPECT_EQ(fontsAfter([&] { field.Set_Field(1, 2, 3, 4); }), 1u);
    EXPECT_EQ(fontsAfter([&] { field.Set_FontName("Ariel"); }), 1u);
    EXPECT_EQ(fontsAfter([&] { field.Set_FontSize(12); }), 1u);
    EXPECT_EQ(fontsAfter([&] { field.Set_Bold(false); }), 1u);
    EXPECT_EQ(fontsAfter([&] { field.create(); }), 1u);
    EXPECT_EQ(fontsAfter([&] {
                  int16_t r, g, b;
                  field.Get_Colour(r, g, b);
                  field.Render();
                  field.OnLostDevice();
                  field.onRestoreDevice();
              }),
              0u);
}

TEST_F(FontField, DeviceNoticesReachTheFontAndAFieldWithoutOneIgnoresThem) {
    clsFontField untouched;
    untouched.OnLostDevice();
    untouched.onRestoreDevice();
    untouched.Render();
    EXPECT_TRUE(device.Calls().empty());

    clsFontField field = WithText("Time 0:42");
    device.ClearRecording();
    field.OnLostDevice();
    field.onRestoreDevice();
    EXPECT_EQ(device.CountOf(CallKind::FontLostDevice), 1u);
    EXPECT_EQ(device.CountOf(CallKind::FontResetDevice), 1u);
}

TEST_F(FontField, TheTableCountsFromOneAndReDimDiscardsTheOldFields) {
    gFontFields.ReDim(2);
    EXPECT_EQ(gFontFieldCount, 2);
    gFontFields(2).Set_Text("old");
    gFontFields.ReDim(3);
    EXPECT_EQ(gFontFieldCount, 3);
    EXPECT_EQ(gFontFields(2).Get_String(), "");
    EXPECT_THROW(gFontFields(0), std::out_of_range);
    EXPECT_THROW(gFontFields(4), std::out_of_range);
    gFontFields.ReDim(0);
    EXPECT_EQ(gFontFieldCount, 0);
}
