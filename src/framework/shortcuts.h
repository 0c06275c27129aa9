// Keyboard shortcuts of menu items and the accelerator characters of
// captions.
//
// A shortcut is a virtual key code in the low byte with modifier bits above
// it; its text form is the one menus show beside the caption ("Ctrl+S",
// "Shift+Del", "Alt+F4", "F1"). In a caption "&" marks the next character
// as the accelerator (underlined, chosen with Alt or in an open menu) and
// "&&" stands for a literal "&".
#pragma once

#include <cstdint>
#include <string>

namespace fw {

using TShortCut = uint16_t;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// A shortcut from a virtual key and modifier bits (scShift | scCtrl | scAlt).
constexpr TShortCut ShortCut(uint8_t key, TShortCut modifiers) {
  return TShortCut(key | (modifiers & (scShift | scCtrl | scAlt)));
}

// "Shift+", "Ctrl+", "Alt+" (in that order) and the key's name; empty for
// no shortcut or a key without a name.
std::string ShortCutToText(TShortCut shortcut);
// The reverse, without regard to case; scNone when the text is not a
// shortcut.
TShortCut TextToShortCut(const std::string& text);

// The accelerator character of a caption, 0 when it has none.
char GetHotkey(const std::string& caption);
// The caption as shown: single "&" removed, "&&" as "&".
std::string StripHotkey(const std::string& caption);
// True when key (a character or a letter's virtual key) is the caption's
// accelerator, without regard to case.
bool IsAccel(unsigned key, const std::string& caption);

}  // namespace fw
