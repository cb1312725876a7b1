// Replacing a file's content so that a process killed, or a machine losing power, at any moment
// leaves either the old content or the new one, never a mix, a truncated file or no file.
//
// The order is what makes it safe: the new bytes go to a new temporary file beside the target;
// they are flushed to the disk and the file is closed; only then is the temporary file renamed
// over the target, in one step that the file system either does whole or not at all. The
// target itself is never opened for writing. The steps are the operating system's
// (IReplaceSteps); ReplaceFileAtomically is their order and the clean-up after a failure.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tovr {

// One replacement's steps. An object serves one call of ReplaceFileAtomically: it holds the
// temporary file that CreateTempBeside made.
class IReplaceSteps {
 public:
  enum class Target { Missing, Replaceable, Refused };

  virtual ~IReplaceSteps() = default;

  // Whether the target exists and may be replaced: Refused for a read-only file or a directory
  // (a rename would replace a read-only file on some systems; it must not).
  virtual Target Inspect(const std::string& target) = 0;
  // Creates a new, empty temporary file with a unique name in the target's folder and opens it
  // for writing. False when that fails.
  virtual bool CreateTempBeside(const std::string& target) = 0;
  // Writes up to bytes.size() bytes at the end of the open temporary file; `written` gets how
  // many were written (the caller writes the rest in further calls). False on failure.
  virtual bool Write(std::string_view bytes, std::size_t& written) = 0;
  // Flushes the temporary file's data to the disk and closes it. False on failure.
  virtual bool FlushAndClose() = 0;
  // Renames the temporary file over the target in one step, replacing it; done on the disk
  // when it returns. The target's own attributes (hidden, system) carry over. False on failure.
  virtual bool RenameOver(const std::string& target) = 0;
  // Closes the temporary file if it is still open and deletes it if it was made; after a
  // failed step (CreateTempBeside's included).
  virtual void Discard() = 0;
};

// Replaces `target`'s content with `bytes` (or creates the file). Throws tovr::Error
// "Unable to write to <target>" when a step fails; the target is then as it was and the
// temporary file is gone.
void ReplaceFileAtomically(IReplaceSteps& steps, const std::string& target, std::string_view bytes);

}  // namespace tovr
