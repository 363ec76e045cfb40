#include <unistd.h>

#include <csignal>

#include "dap/dap_channel.h"
#include "dap/dap_session.h"
#include "dap/dap_ui_port.h"
#include "dap/front_end.h"
#include "engine/kernel.h"

namespace yav {

int runDap(const StartOptions& opt) {
  // Standard output carries the protocol alone: the messages get a descriptor of their own and
  // anything else written to standard output lands on standard error.
  const int protocolOut = ::dup(STDOUT_FILENO);
  if (protocolOut < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0) return 2;
  std::signal(SIGPIPE, SIG_IGN);  // an editor that went away ends the session, not the process
  dap::Channel channel(STDIN_FILENO, protocolOut);
  dap::DapUiPort port(opt.answerYes);
  Kernel k(port);
  k.batchMode = false;
  dap::Session session(k, channel, opt);
  port.attach(&session);
  const int status = session.serve();
  port.attach(nullptr);
  ::close(protocolOut);
  return status;
}

}  // namespace yav
