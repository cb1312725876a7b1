#include "app/TrayTip.h"

#include "base/Text.h"

namespace tovr::app {

std::u16string TrayTipText(std::string_view hint, bool showHint) {
  if (!showHint || hint.empty()) return {};
  std::u16string tip = text::Utf8ToUtf16(hint);
  constexpr std::size_t kMax = kTrayTipCapacity - 1;
  if (tip.size() > kMax) {
    std::size_t cut = kMax;
    // A high surrogate as the last kept unit would leave half a character.
    if (tip[cut - 1] >= 0xD800 && tip[cut - 1] <= 0xDBFF) --cut;
    tip.resize(cut);
  }
  return tip;
}

}  // namespace tovr::app
