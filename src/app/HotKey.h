// The hotkey that opens the tray menu at the pointer, as the settings page's hotkey field and
// [Option] HotKey hold it: the virtual-key code in the low byte and the modifier flags in the
// second (Shift 1, Ctrl 2, Alt 4; 8 marks an extended key such as an arrow); 0 is no hotkey.
//
// The default is Ctrl+Alt+K ("K" for 快捷): the messaging programs most users here run take
// Ctrl+Alt+Z and Ctrl+Alt+A (and Alt+A, Ctrl+Alt+W), the input methods Ctrl+Space, Ctrl+Shift
// and Shift alone; none of them, nor Windows, takes Ctrl+Alt+K.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tovr::app {

inline constexpr std::uint16_t kHotKeyShift = 1, kHotKeyCtrl = 2, kHotKeyAlt = 4, kHotKeyExtended = 8;
inline constexpr std::uint16_t kDefaultHotKey = ((kHotKeyCtrl | kHotKeyAlt) << 8) | 'K';

// The value a stored number stands for: absent, or not a hotkey (outside 0..65535, unknown
// modifier flags, modifiers without a key), is the default.
std::uint16_t HotKeyFromSetting(std::optional<std::int32_t> stored);

// "Ctrl+Alt+K", as the hotkey field shows a key: Ctrl, Shift, Alt, then the key's name.
std::string HotKeyName(std::uint16_t value);

// The message when another program holds the key.
std::string HotKeyTakenText(std::uint16_t value);

// RegisterHotKey's modifiers for the value (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4).
unsigned RegisterModifiers(std::uint16_t value);

}  // namespace tovr::app
