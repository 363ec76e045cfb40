#include "ui/verify_dialog.h"

#include "engine/errors.h"
#include "model/messages.h"
#include "model/numtext.h"
#include "platform/ini.h"

namespace yav {

VerifyDialogState openVerifyDialog() {
  VerifyDialogState s;
  s.file = platform::iniGet("FLASH", "FILE", "", 509);
  return s;
}

namespace {
bool blank(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }
}  // namespace

bool runVerifyDialog(Kernel& k, const VerifyDialogState& state, const VerifyProgress& progress) {
  VerifyRequest req;
  if (state.select) {
    if (blank(state.fromText) || blank(state.toText)) {
      errmsg(k, {"Missing From/to Addresses"});
      return false;
    }
    req.select = true;
    req.from = readNumber(state.fromText).value;
    req.to = readNumber(state.toText).value;
  }
  if (blank(state.file)) {
    errmsg(k, {"Missing File Name"});
    return false;
  }
  req.file = state.file;
  const VerifyResult result = k.target ? k.target->verify(req, progress) : VerifyResult{VerifyOutcome::Unsupported, 0};
  if (result.outcome == VerifyOutcome::Unsupported) errmsg(k, {errtext(msg::NotSupported)});
  return true;
}

}  // namespace yav
