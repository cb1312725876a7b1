#include "app/HotKey.h"

namespace tovr::app {

namespace {

std::string KeyName(unsigned vk) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, static_cast<char>(vk));
  if (vk >= 0x70 && vk <= 0x87) return "F" + std::to_string(vk - 0x6F);   // VK_F1..VK_F24
  if (vk >= 0x60 && vk <= 0x69) return "Num " + std::to_string(vk - 0x60);  // VK_NUMPAD0..9
  switch (vk) {
    case 0x08: return "Backspace";
    case 0x09: return "Tab";
    case 0x0D: return "Enter";
    case 0x13: return "Pause";
    case 0x1B: return "Esc";
    case 0x20: return "Space";
    case 0x21: return "Page Up";
    case 0x22: return "Page Down";
    case 0x23: return "End";
    case 0x24: return "Home";
    case 0x25: return "Left";
    case 0x26: return "Up";
    case 0x27: return "Right";
    case 0x28: return "Down";
    case 0x2D: return "Insert";
    case 0x2E: return "Delete";
    case 0x6A: return "Num *";
    case 0x6B: return "Num +";
    case 0x6D: return "Num -";
    case 0x6E: return "Num .";
    case 0x6F: return "Num /";
    case 0xBA: return ";";
    case 0xBB: return "=";
    case 0xBC: return ",";
    case 0xBD: return "-";
    case 0xBE: return ".";
    case 0xBF: return "/";
    case 0xC0: return "`";
    case 0xDB: return "[";
    case 0xDC: return "\\";
    case 0xDD: return "]";
    case 0xDE: return "'";
    default: {
      static const char kHex[] = "0123456789ABCDEF";
      return std::string("0x") + kHex[(vk >> 4) & 0xF] + kHex[vk & 0xF];
    }
  }
}

}  // namespace

std::uint16_t HotKeyFromSetting(std::optional<std::int32_t> stored) {
  if (!stored || *stored < 0 || *stored > 0xFFFF) return kDefaultHotKey;
  const auto value = static_cast<std::uint16_t>(*stored);
  const unsigned modifiers = value >> 8, vk = value & 0xFF;
  if (modifiers & ~unsigned{kHotKeyShift | kHotKeyCtrl | kHotKeyAlt | kHotKeyExtended}) return kDefaultHotKey;
  if (vk == 0 && modifiers != 0) return kDefaultHotKey;
  return value;
}

std::string HotKeyName(std::uint16_t value) {
  const unsigned modifiers = value >> 8;
  std::string name;
  if (modifiers & kHotKeyCtrl) name += "Ctrl+";
  if (modifiers & kHotKeyShift) name += "Shift+";
  if (modifiers & kHotKeyAlt) name += "Alt+";
  return name + KeyName(value & 0xFFu);
}

std::string HotKeyTakenText(std::uint16_t value) { return "热键 " + HotKeyName(value) + " 已被其他程序占用。"; }

unsigned RegisterModifiers(std::uint16_t value) {
  const unsigned modifiers = value >> 8;
  return ((modifiers & kHotKeyAlt) ? 1u : 0u) | ((modifiers & kHotKeyCtrl) ? 2u : 0u) |
         ((modifiers & kHotKeyShift) ? 4u : 0u);
}

}  // namespace tovr::app
