// The "Verify FLASH" dialog without its window: what it shows at start and what "&Verify" does.
#pragma once
#include <string>

#include "engine/kernel.h"
#include "engine/target_verify.h"

namespace yav {

struct VerifyDialogState {
  std::string file;      // "&File:" edit
  bool select = false;   // "&Select" chosen instead of "&All"
  std::string fromText;  // "F&rom:" edit, shown while select
  std::string toText;    // "&To:" edit, shown while select
};

// The dialog at start: "&All", the file name from key FILE of section FLASH.
VerifyDialogState openVerifyDialog();

// "&Verify": checks the entries ("Missing From/to Addresses", "Missing File Name"), then runs
// the comparison through the target port. Returns false when the dialog stays open for a
// correction.
bool runVerifyDialog(Kernel& k, const VerifyDialogState& state, const VerifyProgress& progress = {});

}  // namespace yav
