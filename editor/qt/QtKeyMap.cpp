#include "editor/qt/QtKeyMap.h"

#include <unordered_map>

#include "platform/Keyboard.h"

namespace editor {
namespace {

using namespace dinput;

// Key symbols of the right-hand modifier keys.
constexpr quint32 kShiftR = 0xffe2, kControlR = 0xffe4, kSuperR = 0xffec;

// Keys of the main block and the navigation keys. A shifted character names the key it is
// typed on (US layout), so that a key pressed with Shift and released without it is the
// same key.
const std::unordered_map<int, uint8_t>& MainKeys() {
    static const std::unordered_map<int, uint8_t> keys = {
        {Qt::Key_Escape, DIK_ESCAPE},
        {Qt::Key_1, DIK_1}, {Qt::Key_Exclam, DIK_1}, {Qt::Key_2, DIK_2}, {Qt::Key_At, DIK_2},
        {Qt::Key_3, DIK_3}, {Qt::Key_NumberSign, DIK_3}, {Qt::Key_4, DIK_4}, {Qt::Key_Dollar, DIK_4},
        {Qt::Key_5, DIK_5}, {Qt::Key_Percent, DIK_5}, {Qt::Key_6, DIK_6}, {Qt::Key_AsciiCircum, DIK_6},
        {Qt::Key_7, DIK_7}, {Qt::Key_Ampersand, DIK_7}, {Qt::Key_8, DIK_8}, {Qt::Key_Asterisk, DIK_8},
        {Qt::Key_9, DIK_9}, {Qt::Key_ParenLeft, DIK_9}, {Qt::Key_0, DIK_0}, {Qt::Key_ParenRight, DIK_0},
        {Qt::Key_Minus, DIK_MINUS}, {Qt::Key_Underscore, DIK_MINUS},
        {Qt::Key_Equal, DIK_EQUALS}, {Qt::Key_Plus, DIK_EQUALS},
        {Qt::Key_Backspace, DIK_BACK}, {Qt::Key_Tab, DIK_TAB}, {Qt::Key_Backtab, DIK_TAB},
        {Qt::Key_Q, DIK_Q}, {Qt::Key_W, DIK_W}, {Qt::Key_E, DIK_E}, {Qt::Key_R, DIK_R}, {Qt::Key_T, DIK_T},
        {Qt::Key_Y, DIK_Y}, {Qt::Key_U, DIK_U}, {Qt::Key_I, DIK_I}, {Qt::Key_O, DIK_O}, {Qt::Key_P, DIK_P},
        {Qt::Key_BracketLeft, DIK_LBRACKET}, {Qt::Key_BraceLeft, DIK_LBRACKET},
        {Qt::Key_BracketRight, DIK_RBRACKET}, {Qt::Key_BraceRight, DIK_RBRACKET},
        {Qt::Key_Return, DIK_RETURN},
        {Qt::Key_A, DIK_A}, {Qt::Key_S, DIK_S}, {Qt::Key_D, DIK_D}, {Qt::Key_F, DIK_F}, {Qt::Key_G, DIK_G},
        {Qt::Key_H, DIK_H}, {Qt::Key_J, DIK_J}, {Qt::Key_K, DIK_K}, {Qt::Key_L, DIK_L},
        {Qt::Key_Semicolon, DIK_SEMICOLON}, {Qt::Key_Colon, DIK_SEMICOLON},
        {Qt::Key_Apostrophe, DIK_APOSTROPHE}, {Qt::Key_QuoteDbl, DIK_APOSTROPHE},
        {Qt::Key_QuoteLeft, DIK_GRAVE}, {Qt::Key_AsciiTilde, DIK_GRAVE},
        {Qt::Key_Backslash, DIK_BACKSLASH}, {Qt::Key_Bar, DIK_BACKSLASH},
        {Qt::Key_Z, DIK_Z}, {Qt::Key_X, DIK_X}, {Qt::Key_C, DIK_C}, {Qt::Key_V, DIK_V}, {Qt::Key_B, DIK_B},
        {Qt::Key_N, DIK_N}, {Qt::Key_M, DIK_M},
        {Qt::Key_Comma, DIK_COMMA}, {Qt::Key_Less, DIK_COMMA}, {Qt::Key_Period, DIK_PERIOD},
        {Qt::Key_Greater, DIK_PERIOD}, {Qt::Key_Slash, DIK_SLASH}, {Qt::Key_Question, DIK_SLASH},
        {Qt::Key_Alt, DIK_LMENU}, {Qt::Key_AltGr, DIK_RMENU}, {Qt::Key_Space, DIK_SPACE},
        {Qt::Key_CapsLock, DIK_CAPITAL},
        {Qt::Key_F1, DIK_F1}, {Qt::Key_F2, DIK_F2}, {Qt::Key_F3, DIK_F3}, {Qt::Key_F4, DIK_F4},
        {Qt::Key_F5, DIK_F5}, {Qt::Key_F6, DIK_F6}, {Qt::Key_F7, DIK_F7}, {Qt::Key_F8, DIK_F8},
        {Qt::Key_F9, DIK_F9}, {Qt::Key_F10, DIK_F10}, {Qt::Key_F11, DIK_F11}, {Qt::Key_F12, DIK_F12},
        {Qt::Key_NumLock, DIK_NUMLOCK}, {Qt::Key_ScrollLock, DIK_SCROLL},
        {Qt::Key_Print, DIK_SYSRQ}, {Qt::Key_SysReq, DIK_SYSRQ}, {Qt::Key_Pause, DIK_PAUSE},
        {Qt::Key_Home, DIK_HOME}, {Qt::Key_Up, DIK_UP}, {Qt::Key_PageUp, DIK_PRIOR}, {Qt::Key_Left, DIK_LEFT},
        {Qt::Key_Right, DIK_RIGHT}, {Qt::Key_End, DIK_END}, {Qt::Key_Down, DIK_DOWN},
        {Qt::Key_PageDown, DIK_NEXT}, {Qt::Key_Insert, DIK_INSERT}, {Qt::Key_Delete, DIK_DELETE},
        {Qt::Key_Menu, DIK_APPS},
    };
    return keys;
}

// The number pad, with Num Lock on (digits) and off (the navigation meanings).
const std::unordered_map<int, uint8_t>& KeypadKeys() {
    static const std::unordered_map<int, uint8_t> keys = {
        {Qt::Key_0, DIK_NUMPAD0}, {Qt::Key_1, DIK_NUMPAD1}, {Qt::Key_2, DIK_NUMPAD2}, {Qt::Key_3, DIK_NUMPAD3},
        {Qt::Key_4, DIK_NUMPAD4}, {Qt::Key_5, DIK_NUMPAD5}, {Qt::Key_6, DIK_NUMPAD6}, {Qt::Key_7, DIK_NUMPAD7},
        {Qt::Key_8, DIK_NUMPAD8}, {Qt::Key_9, DIK_NUMPAD9},
        {Qt::Key_Insert, DIK_NUMPAD0}, {Qt::Key_End, DIK_NUMPAD1}, {Qt::Key_Down, DIK_NUMPAD2},
        {Qt::Key_PageDown, DIK_NUMPAD3}, {Qt::Key_Left, DIK_NUMPAD4}, {Qt::Key_Clear, DIK_NUMPAD5},
        {Qt::Key_Right, DIK_NUMPAD6}, {Qt::Key_Home, DIK_NUMPAD7}, {Qt::Key_Up, DIK_NUMPAD8},
        {Qt::Key_PageUp, DIK_NUMPAD9},
        {Qt::Key_Period, DIK_DECIMAL}, {Qt::Key_Comma, DIK_DECIMAL}, {Qt::Key_Delete, DIK_DECIMAL},
        {Qt::Key_Minus, DIK_SUBTRACT}, {Qt::Key_Plus, DIK_ADD}, {Qt::Key_Asterisk, DIK_MULTIPLY},
        {Qt::Key_Slash, DIK_DIVIDE}, {Qt::Key_Enter, DIK_NUMPADENTER},
    };
    return keys;
}

}  // namespace

uint8_t DikFromQtKey(int key, Qt::KeyboardModifiers modifiers, quint32 nativeVirtualKey) {
    switch (key) {
        case Qt::Key_Shift: return nativeVirtualKey == kShiftR ? DIK_RSHIFT : DIK_LSHIFT;
        case Qt::Key_Control: return nativeVirtualKey == kControlR ? DIK_RCONTROL : DIK_LCONTROL;
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R: return nativeVirtualKey == kSuperR || key == Qt::Key_Super_R ? DIK_RWIN : DIK_LWIN;
        case Qt::Key_Enter: return DIK_NUMPADENTER;
    }
    if (modifiers & Qt::KeypadModifier) {
        if (auto found = KeypadKeys().find(key); found != KeypadKeys().end()) return found->second;
    }
    auto found = MainKeys().find(key);
    return found != MainKeys().end() ? found->second : 0;
}

}  // namespace editor
