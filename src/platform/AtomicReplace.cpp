#include "platform/AtomicReplace.h"

#include "base/Error.h"

namespace tovr {

namespace {

// Discards the temporary file unless the rename took it.
class DiscardUnlessKept {
 public:
  explicit DiscardUnlessKept(IReplaceSteps& steps) : steps_(&steps) {}
  DiscardUnlessKept(const DiscardUnlessKept&) = delete;
  DiscardUnlessKept& operator=(const DiscardUnlessKept&) = delete;
  ~DiscardUnlessKept() {
    if (steps_) steps_->Discard();
  }
  void Keep() { steps_ = nullptr; }

 private:
  IReplaceSteps* steps_;
};

}  // namespace

void ReplaceFileAtomically(IReplaceSteps& steps, const std::string& target, std::string_view bytes) {
  auto fail = [&target] { throw Error(FormatMessage1("Unable to write to %s", target)); };
  if (steps.Inspect(target) == IReplaceSteps::Target::Refused) fail();
  DiscardUnlessKept temp(steps);  // also when the temporary file was made but not opened
  if (!steps.CreateTempBeside(target)) fail();
  while (!bytes.empty()) {
    std::size_t written = 0;
    if (!steps.Write(bytes, written) || written == 0 || written > bytes.size()) fail();
    bytes.remove_prefix(written);
  }
  if (!steps.FlushAndClose()) fail();
  if (!steps.RenameOver(target)) fail();
  temp.Keep();
}

}  // namespace tovr
