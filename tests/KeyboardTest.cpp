#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <array>

#include "platform/Keyboard.h"

using namespace dinput;

TEST(KeyboardTable, LettersAndControlKeysHaveTheirScanCodes) {
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_ESCAPE), 1);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_1), 2);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_0), 11);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_Q), 16);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_P), 25);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_A), 30);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_L), 38);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_Z), 44);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_B), 48);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_M), 50);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_RETURN), 28);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_SPACE), 57);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_LSHIFT), 42);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_RSHIFT), 54);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_LCTRL), 29);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_RCTRL), 157);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_BACKSPACE), 14);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_TAB), 15);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_UP), 200);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_DOWN), 208);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_LEFT), 203);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_RIGHT), 205);
}

TEST(KeyboardTable, EveryLetterMapsToADistinctCodeAndUnknownKeysToNone) {
    std::array<bool, 256> seen{};
    for (int sc = SDL_SCANCODE_A; sc <= SDL_SCANCODE_Z; ++sc) {
        const uint8_t code = ScanCodeFromSdl(sc);
        ASSERT_NE(code, 0) << sc;
        EXPECT_FALSE(seen[code]) << sc;
        seen[code] = true;
    }
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(ScanCodeFromSdl(-1), 0);
    EXPECT_EQ(ScanCodeFromSdl(SDL_NUM_SCANCODES), 0);
}

TEST(Keyboard, ReadsNeedAnAcquiredDevice) {
    Keyboard keyboard;
    KeyState state{};
    EXPECT_EQ(keyboard.GetDeviceState(state), DIERR_NOTACQUIRED);
    keyboard.SetAvailable(false);
    EXPECT_FALSE(keyboard.Acquire());
    keyboard.SetAvailable(true);
    EXPECT_TRUE(keyboard.Acquire());
    EXPECT_EQ(keyboard.GetDeviceState(state), DI_OK);
}

TEST(Keyboard, ImmediateStateHoldsExactly0x80ForHeldKeys) {
    Keyboard keyboard;
    keyboard.Acquire();
    keyboard.SetKey(DIK_UP, true);
    keyboard.SetKey(DIK_SPACE, true);
    keyboard.SetKey(DIK_SPACE, false);
    KeyState state{};
    ASSERT_EQ(keyboard.GetDeviceState(state), DI_OK);
    EXPECT_EQ(state[DIK_UP], 0x80);
    EXPECT_EQ(state[DIK_SPACE], 0);
    int down = 0;
    for (uint8_t b : state) down += b != 0;
    EXPECT_EQ(down, 1);
}

TEST(Keyboard, BufferedReadReturnsEventsInOrderOnce) {
    Keyboard keyboard;
    keyboard.Acquire();
    keyboard.SetKey(DIK_A, true, 5);
    keyboard.SetKey(DIK_A, true, 6);  // a held key repeats no event
    keyboard.SetKey(DIK_A, false, 7);
    std::array<DeviceObjectData, 11> events{};
    int count = -1;
    EXPECT_EQ(keyboard.GetDeviceData(events, count), DI_OK);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(events[0].Ofs, DIK_A);
    EXPECT_EQ(events[0].Data, 0x80u);
    EXPECT_EQ(events[0].TimeStamp, 5u);
    EXPECT_EQ(events[1].Data, 0u);
    EXPECT_LT(events[0].Sequence, events[1].Sequence);
    EXPECT_EQ(keyboard.GetDeviceData(events, count), DI_OK);
    EXPECT_EQ(count, 0);
}

TEST(Keyboard, TenEventsFitButTheEleventhOverflowsTheBuffer) {
    Keyboard keyboard;
    keyboard.Acquire();
    std::array<DeviceObjectData, 11> events{};
    int count = 0;
    for (int i = 0; i < 5; ++i) {
        keyboard.SetKey(DIK_LEFT, true);
        keyboard.SetKey(DIK_LEFT, false);
    }
    EXPECT_EQ(keyboard.GetDeviceData(events, count), DI_OK);
    EXPECT_EQ(count, 10);

    for (int i = 0; i < 6; ++i) {
        keyboard.SetKey(DIK_RIGHT, true);
        keyboard.SetKey(DIK_RIGHT, false);
    }
    keyboard.SetKey(DIK_DOWN, true);
    EXPECT_EQ(keyboard.GetDeviceData(events, count), DIERR_BUFFEROVERFLOW);
    EXPECT_EQ(count, 10);
    EXPECT_TRUE(keyboard.IsDown(DIK_DOWN));  // the immediate state misses nothing
    // The overflow is reported once; the next poll starts with an empty buffer.
    EXPECT_EQ(keyboard.GetDeviceData(events, count), DI_OK);
    EXPECT_EQ(count, 0);
}
