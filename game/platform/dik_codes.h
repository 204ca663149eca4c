// DirectInput scan codes (DIK_ values) of a PC keyboard, and their names for scripts, dumps and the player.
#pragma once
#include <optional>
#include <string>
#include <string_view>

inline constexpr int DIK_ESCAPE = 1;
inline constexpr int DIK_1 = 2;
inline constexpr int DIK_2 = 3;
inline constexpr int DIK_3 = 4;
inline constexpr int DIK_4 = 5;
inline constexpr int DIK_5 = 6;
inline constexpr int DIK_6 = 7;
inline constexpr int DIK_7 = 8;
inline constexpr int DIK_8 = 9;
inline constexpr int DIK_9 = 10;
inline constexpr int DIK_0 = 11;
inline constexpr int DIK_MINUS = 12;
inline constexpr int DIK_EQUALS = 13;
inline constexpr int DIK_BACK = 14;
inline constexpr int DIK_TAB = 15;
inline constexpr int DIK_Q = 16;
inline constexpr int DIK_W = 17;
inline constexpr int DIK_E = 18;
inline constexpr int DIK_R = 19;
inline constexpr int DIK_T = 20;
inline constexpr int DIK_Y = 21;
inline constexpr int DIK_U = 22;
inline constexpr int DIK_I = 23;
inline constexpr int DIK_O = 24;
inline constexpr int DIK_P = 25;
inline constexpr int DIK_LBRACKET = 26;
inline constexpr int DIK_RBRACKET = 27;
inline constexpr int DIK_RETURN = 28;
inline constexpr int DIK_LCONTROL = 29;
inline constexpr int DIK_A = 30;
inline constexpr int DIK_S = 31;
inline constexpr int DIK_D = 32;
inline constexpr int DIK_F = 33;
inline constexpr int DIK_G = 34;
inline constexpr int DIK_H = 35;
inline constexpr int DIK_J = 36;
inline constexpr int DIK_K = 37;
inline constexpr int DIK_L = 38;
inline constexpr int DIK_SEMICOLON = 39;
inline constexpr int DIK_APOSTROPHE = 40;
inline constexpr int DIK_GRAVE = 41;
inline constexpr int DIK_LSHIFT = 42;
inline constexpr int DIK_BACKSLASH = 43;
inline constexpr int DIK_Z = 44;
inline constexpr int DIK_X = 45;
inline constexpr int DIK_C = 46;
inline constexpr int DIK_V = 47;
inline constexpr int DIK_B = 48;
inline constexpr int DIK_N = 49;
inline constexpr int DIK_M = 50;
inline constexpr int DIK_COMMA = 51;
inline constexpr int DIK_PERIOD = 52;
inline constexpr int DIK_SLASH = 53;
inline constexpr int DIK_RSHIFT = 54;
inline constexpr int DIK_MULTIPLY = 55;
inline constexpr int DIK_LMENU = 56;
inline constexpr int DIK_SPACE = 57;
inline constexpr int DIK_CAPITAL = 58;
inline constexpr int DIK_F1 = 59;
inline constexpr int DIK_F2 = 60;
inline constexpr int DIK_F3 = 61;
inline constexpr int DIK_F4 = 62;
inline constexpr int DIK_F5 = 63;
inline constexpr int DIK_F6 = 64;
inline constexpr int DIK_F7 = 65;
inline constexpr int DIK_F8 = 66;
inline constexpr int DIK_F9 = 67;
inline constexpr int DIK_F10 = 68;
inline constexpr int DIK_NUMLOCK = 69;
inline constexpr int DIK_SCROLL = 70;
inline constexpr int DIK_NUMPAD7 = 71;
inline constexpr int DIK_NUMPAD8 = 72;
inline constexpr int DIK_NUMPAD9 = 73;
inline constexpr int DIK_SUBTRACT = 74;
inline constexpr int DIK_NUMPAD4 = 75;
inline constexpr int DIK_NUMPAD5 = 76;
inline constexpr int DIK_NUMPAD6 = 77;
inline constexpr int DIK_ADD = 78;
inline constexpr int DIK_NUMPAD1 = 79;
inline constexpr int DIK_NUMPAD2 = 80;
inline constexpr int DIK_NUMPAD3 = 81;
inline constexpr int DIK_NUMPAD0 = 82;
inline constexpr int DIK_DECIMAL = 83;
inline constexpr int DIK_OEM_102 = 86;
inline constexpr int DIK_F11 = 87;
inline constexpr int DIK_F12 = 88;
inline constexpr int DIK_F13 = 100;
inline constexpr int DIK_F14 = 101;
inline constexpr int DIK_F15 = 102;
inline constexpr int DIK_KANA = 112;
inline constexpr int DIK_ABNT_C1 = 115;
inline constexpr int DIK_CONVERT = 121;
inline constexpr int DIK_NOCONVERT = 123;
inline constexpr int DIK_YEN = 125;
inline constexpr int DIK_ABNT_C2 = 126;
inline constexpr int DIK_NUMPADEQUALS = 141;
inline constexpr int DIK_PREVTRACK = 144;
inline constexpr int DIK_AT = 145;
inline constexpr int DIK_COLON = 146;
inline constexpr int DIK_UNDERLINE = 147;
inline constexpr int DIK_KANJI = 148;
inline constexpr int DIK_STOP = 149;
inline constexpr int DIK_AX = 150;
inline constexpr int DIK_UNLABELED = 151;
inline constexpr int DIK_NEXTTRACK = 153;
inline constexpr int DIK_NUMPADENTER = 156;
inline constexpr int DIK_RCONTROL = 157;
inline constexpr int DIK_MUTE = 160;
inline constexpr int DIK_CALCULATOR = 161;
inline constexpr int DIK_PLAYPAUSE = 162;
inline constexpr int DIK_MEDIASTOP = 164;
inline constexpr int DIK_VOLUMEDOWN = 174;
inline constexpr int DIK_VOLUMEUP = 176;
inline constexpr int DIK_WEBHOME = 178;
inline constexpr int DIK_NUMPADCOMMA = 179;
inline constexpr int DIK_DIVIDE = 181;
inline constexpr int DIK_SYSRQ = 183;
inline constexpr int DIK_RMENU = 184;
inline constexpr int DIK_PAUSE = 197;
inline constexpr int DIK_HOME = 199;
inline constexpr int DIK_UP = 200;
inline constexpr int DIK_PRIOR = 201;
inline constexpr int DIK_LEFT = 203;
inline constexpr int DIK_RIGHT = 205;
inline constexpr int DIK_END = 207;
inline constexpr int DIK_DOWN = 208;
inline constexpr int DIK_NEXT = 209;
inline constexpr int DIK_INSERT = 210;
inline constexpr int DIK_DELETE = 211;
inline constexpr int DIK_LWIN = 219;
inline constexpr int DIK_RWIN = 220;
inline constexpr int DIK_APPS = 221;
inline constexpr int DIK_POWER = 222;
inline constexpr int DIK_SLEEP = 223;
inline constexpr int DIK_WAKE = 227;
inline constexpr int DIK_WEBSEARCH = 229;
inline constexpr int DIK_WEBFAVORITES = 230;
inline constexpr int DIK_WEBREFRESH = 231;
inline constexpr int DIK_WEBSTOP = 232;
inline constexpr int DIK_WEBFORWARD = 233;
inline constexpr int DIK_WEBBACK = 234;
inline constexpr int DIK_MYCOMPUTER = 235;
inline constexpr int DIK_MAIL = 236;
inline constexpr int DIK_MEDIASELECT = 237;

// Highest scan code the key flags cover (keyState holds all 256).
inline constexpr int MaxScanCode = 211;

struct KeyName {
  std::string_view name;   // as scripts write it
  int code;
  std::string_view label;  // as the player reads it, in the menu font's characters
};
inline constexpr KeyName KeyNames[] = {
    {"DIK_ESCAPE", DIK_ESCAPE, "Esc"},
    {"DIK_1", DIK_1, "1"},
    {"DIK_2", DIK_2, "2"},
    {"DIK_3", DIK_3, "3"},
    {"DIK_4", DIK_4, "4"},
    {"DIK_5", DIK_5, "5"},
    {"DIK_6", DIK_6, "6"},
    {"DIK_7", DIK_7, "7"},
    {"DIK_8", DIK_8, "8"},
    {"DIK_9", DIK_9, "9"},
    {"DIK_0", DIK_0, "0"},
    {"DIK_MINUS", DIK_MINUS, "-"},
    {"DIK_EQUALS", DIK_EQUALS, "Equals"},
    {"DIK_BACK", DIK_BACK, "Backspace"},
    {"DIK_TAB", DIK_TAB, "Tab"},
    {"DIK_Q", DIK_Q, "Q"},
    {"DIK_W", DIK_W, "W"},
    {"DIK_E", DIK_E, "E"},
    {"DIK_R", DIK_R, "R"},
    {"DIK_T", DIK_T, "T"},
    {"DIK_Y", DIK_Y, "Y"},
    {"DIK_U", DIK_U, "U"},
    {"DIK_I", DIK_I, "I"},
    {"DIK_O", DIK_O, "O"},
    {"DIK_P", DIK_P, "P"},
    {"DIK_LBRACKET", DIK_LBRACKET, "Left Bracket"},
    {"DIK_RBRACKET", DIK_RBRACKET, "Right Bracket"},
    {"DIK_RETURN", DIK_RETURN, "Enter"},
    {"DIK_LCONTROL", DIK_LCONTROL, "Left Ctrl"},
    {"DIK_A", DIK_A, "A"},
    {"DIK_S", DIK_S, "S"},
    {"DIK_D", DIK_D, "D"},
    {"DIK_F", DIK_F, "F"},
    {"DIK_G", DIK_G, "G"},
    {"DIK_H", DIK_H, "H"},
    {"DIK_J", DIK_J, "J"},
    {"DIK_K", DIK_K, "K"},
    {"DIK_L", DIK_L, "L"},
    {"DIK_SEMICOLON", DIK_SEMICOLON, ";"},
    {"DIK_APOSTROPHE", DIK_APOSTROPHE, "'"},
    {"DIK_GRAVE", DIK_GRAVE, "Back Quote"},
    {"DIK_LSHIFT", DIK_LSHIFT, "Left Shift"},
    {"DIK_BACKSLASH", DIK_BACKSLASH, "Backslash"},
    {"DIK_Z", DIK_Z, "Z"},
    {"DIK_X", DIK_X, "X"},
    {"DIK_C", DIK_C, "C"},
    {"DIK_V", DIK_V, "V"},
    {"DIK_B", DIK_B, "B"},
    {"DIK_N", DIK_N, "N"},
    {"DIK_M", DIK_M, "M"},
    {"DIK_COMMA", DIK_COMMA, ","},
    {"DIK_PERIOD", DIK_PERIOD, "."},
    {"DIK_SLASH", DIK_SLASH, "/"},
    {"DIK_RSHIFT", DIK_RSHIFT, "Right Shift"},
    {"DIK_MULTIPLY", DIK_MULTIPLY, "Num Multiply"},
    {"DIK_LMENU", DIK_LMENU, "Left Alt"},
    {"DIK_SPACE", DIK_SPACE, "Space"},
    {"DIK_CAPITAL", DIK_CAPITAL, "Caps Lock"},
    {"DIK_F1", DIK_F1, "F1"},
    {"DIK_F2", DIK_F2, "F2"},
    {"DIK_F3", DIK_F3, "F3"},
    {"DIK_F4", DIK_F4, "F4"},
    {"DIK_F5", DIK_F5, "F5"},
    {"DIK_F6", DIK_F6, "F6"},
    {"DIK_F7", DIK_F7, "F7"},
    {"DIK_F8", DIK_F8, "F8"},
    {"DIK_F9", DIK_F9, "F9"},
    {"DIK_F10", DIK_F10, "F10"},
    {"DIK_NUMLOCK", DIK_NUMLOCK, "Num Lock"},
    {"DIK_SCROLL", DIK_SCROLL, "Scroll Lock"},
    {"DIK_NUMPAD7", DIK_NUMPAD7, "Num 7"},
    {"DIK_NUMPAD8", DIK_NUMPAD8, "Num 8"},
    {"DIK_NUMPAD9", DIK_NUMPAD9, "Num 9"},
    {"DIK_SUBTRACT", DIK_SUBTRACT, "Num -"},
    {"DIK_NUMPAD4", DIK_NUMPAD4, "Num 4"},
    {"DIK_NUMPAD5", DIK_NUMPAD5, "Num 5"},
    {"DIK_NUMPAD6", DIK_NUMPAD6, "Num 6"},
    {"DIK_ADD", DIK_ADD, "Num Plus"},
    {"DIK_NUMPAD1", DIK_NUMPAD1, "Num 1"},
    {"DIK_NUMPAD2", DIK_NUMPAD2, "Num 2"},
    {"DIK_NUMPAD3", DIK_NUMPAD3, "Num 3"},
    {"DIK_NUMPAD0", DIK_NUMPAD0, "Num 0"},
    {"DIK_DECIMAL", DIK_DECIMAL, "Num ."},
    {"DIK_OEM_102", DIK_OEM_102, "Extra Backslash"},
    {"DIK_F11", DIK_F11, "F11"},
    {"DIK_F12", DIK_F12, "F12"},
    {"DIK_F13", DIK_F13, "F13"},
    {"DIK_F14", DIK_F14, "F14"},
    {"DIK_F15", DIK_F15, "F15"},
    {"DIK_KANA", DIK_KANA, "Kana"},
    {"DIK_ABNT_C1", DIK_ABNT_C1, "ABNT C1"},
    {"DIK_CONVERT", DIK_CONVERT, "Convert"},
    {"DIK_NOCONVERT", DIK_NOCONVERT, "No Convert"},
    {"DIK_YEN", DIK_YEN, "Yen"},
    {"DIK_ABNT_C2", DIK_ABNT_C2, "ABNT C2"},
    {"DIK_NUMPADEQUALS", DIK_NUMPADEQUALS, "Num Equals"},
    {"DIK_PREVTRACK", DIK_PREVTRACK, "Previous Track"},
    {"DIK_AT", DIK_AT, "At"},
    {"DIK_COLON", DIK_COLON, "Colon"},
    {"DIK_UNDERLINE", DIK_UNDERLINE, "Underline"},
    {"DIK_KANJI", DIK_KANJI, "Kanji"},
    {"DIK_STOP", DIK_STOP, "Stop"},
    {"DIK_AX", DIK_AX, "AX"},
    {"DIK_UNLABELED", DIK_UNLABELED, "Unlabeled"},
    {"DIK_NEXTTRACK", DIK_NEXTTRACK, "Next Track"},
    {"DIK_NUMPADENTER", DIK_NUMPADENTER, "Num Enter"},
    {"DIK_RCONTROL", DIK_RCONTROL, "Right Ctrl"},
    {"DIK_MUTE", DIK_MUTE, "Mute"},
    {"DIK_CALCULATOR", DIK_CALCULATOR, "Calculator"},
    {"DIK_PLAYPAUSE", DIK_PLAYPAUSE, "Play/Pause"},
    {"DIK_MEDIASTOP", DIK_MEDIASTOP, "Media Stop"},
    {"DIK_VOLUMEDOWN", DIK_VOLUMEDOWN, "Volume Down"},
    {"DIK_VOLUMEUP", DIK_VOLUMEUP, "Volume Up"},
    {"DIK_WEBHOME", DIK_WEBHOME, "Web Home"},
    {"DIK_NUMPADCOMMA", DIK_NUMPADCOMMA, "Num ,"},
    {"DIK_DIVIDE", DIK_DIVIDE, "Num /"},
    {"DIK_SYSRQ", DIK_SYSRQ, "Print Screen"},
    {"DIK_RMENU", DIK_RMENU, "Right Alt"},
    {"DIK_PAUSE", DIK_PAUSE, "Pause"},
    {"DIK_HOME", DIK_HOME, "Home"},
    {"DIK_UP", DIK_UP, "Up Arrow"},
    {"DIK_PRIOR", DIK_PRIOR, "Page Up"},
    {"DIK_LEFT", DIK_LEFT, "Left Arrow"},
    {"DIK_RIGHT", DIK_RIGHT, "Right Arrow"},
    {"DIK_END", DIK_END, "End"},
    {"DIK_DOWN", DIK_DOWN, "Down Arrow"},
    {"DIK_NEXT", DIK_NEXT, "Page Down"},
    {"DIK_INSERT", DIK_INSERT, "Insert"},
    {"DIK_DELETE", DIK_DELETE, "Delete"},
    {"DIK_LWIN", DIK_LWIN, "Left Windows"},
    {"DIK_RWIN", DIK_RWIN, "Right Windows"},
    {"DIK_APPS", DIK_APPS, "Menu"},
    {"DIK_POWER", DIK_POWER, "Power"},
    {"DIK_SLEEP", DIK_SLEEP, "Sleep"},
    {"DIK_WAKE", DIK_WAKE, "Wake"},
    {"DIK_WEBSEARCH", DIK_WEBSEARCH, "Web Search"},
    {"DIK_WEBFAVORITES", DIK_WEBFAVORITES, "Web Favorites"},
    {"DIK_WEBREFRESH", DIK_WEBREFRESH, "Web Refresh"},
    {"DIK_WEBSTOP", DIK_WEBSTOP, "Web Stop"},
    {"DIK_WEBFORWARD", DIK_WEBFORWARD, "Web Forward"},
    {"DIK_WEBBACK", DIK_WEBBACK, "Web Back"},
    {"DIK_MYCOMPUTER", DIK_MYCOMPUTER, "My Computer"},
    {"DIK_MAIL", DIK_MAIL, "Mail"},
    {"DIK_MEDIASELECT", DIK_MEDIASELECT, "Media Select"},
};

// The scan code of a name such as "DIK_RETURN", or of a decimal code 1..255.
std::optional<int> ScanCodeOf(std::string_view name);
// The key's name for the player: "Left Arrow", "Space", "P"; "Key N" for a code without one.
std::string KeyLabel(int code);
