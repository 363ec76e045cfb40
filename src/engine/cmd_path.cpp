// `path`: the source search path (directories separated by `|`), set or printed.
#include <cstring>
#include <string>

#include "engine/commands.h"
#include "engine/dispatcher.h"
#include "engine/errors.h"
#include "engine/output.h"
#include "engine/source_text.h"
#include "model/messages.h"

namespace yav {

const char* cmd_path(Kernel& k, const char* rest, int) {
  const char* p = skipBlanks(rest);
  std::string& path = k.cmdfile.sourcePath;
  if (*p == 0 || *p == ';' || *p == '}') {
    outs(k, {"\"", path, "\"\n"});
    return p;
  }
  const char* close = *p == '"' ? std::strchr(p + 1, '"') : nullptr;
  if (!close) {
    errmsg(k, {errtext(msg::SyntaxError), " ", p, "\n"});
    return kEmptyRest;
  }
  const std::string text(p + 1, close);
  if (!text.empty() && text.front() == '|') {
    path += text;
  } else if (!text.empty() && text.back() == '|') {
    path = text + path;
  } else {
    path = text;
  }
  forgetSourceText(k);  // every file is searched again through the new path
  k.ui->refreshViews(kViewSource);
  return close + 1;
}

}  // namespace yav
