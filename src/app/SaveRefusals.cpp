#include "app/SaveRefusals.h"

#include "base/Error.h"

namespace tovr::app {

bool SaveRefusals::Run(std::string_view what, const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const Error& e) {
    notes_.push_back("“" + std::string(what) + "”（" + e.what() + "）");
    return false;
  }
}

void SaveRefusals::ThrowIfAny() const {
  if (notes_.empty()) return;
  std::string text = "Windows 拒绝了以下更改，其余设置均已保存：";
  for (const std::string& note : notes_) text += "\r\n" + note;
  throw Error(text + "。");
}

}  // namespace tovr::app
