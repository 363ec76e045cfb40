// Feeds arbitrary bytes to the adapter's message reader, in pieces as a pipe delivers them, and
// hands what it reads to a session that has no program (launch and restart are left out: they
// would connect and load). Checks that a message written out reads back the same.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dap/dap_base64.h"
#include "dap/dap_channel.h"
#include "dap/dap_framing.h"
#include "dap/dap_session.h"
#include "dap/dap_ui_port.h"
#include "engine/kernel.h"

using namespace yav;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const int sink = ::open("/dev/null", O_WRONLY);
  std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first byte chooses the size of the pieces.
  const size_t piece = size > 0 ? 1 + data[0] % 64 : 1;
  dap::MessageReader reader;
  dap::Channel channel(-1, sink);
  dap::DapUiPort port(true);
  Kernel k(port);
  dap::Session session(k, channel, StartOptions{});
  port.attach(&session);
  for (size_t at = 0; at < input.size(); at += piece) {
    reader.feed(input.substr(at, piece));
    while (std::optional<dap::IncomingMessage> m = reader.next()) {
      if (!m->ok()) continue;
      dap::MessageReader again;
      again.feed(dap::frameMessage(m->body));
      std::optional<dap::IncomingMessage> back = again.next();
      if (!back || !back->ok()) __builtin_trap();
      const std::string command = m->body.value("command", std::string());
      if (command == "launch" || command == "restart") continue;
      session.handle(*m);
    }
  }
  if (auto bytes = dap::fromBase64(input)) {
    if (dap::fromBase64(dap::toBase64(*bytes)) != bytes) __builtin_trap();
  }
  port.attach(nullptr);
  return 0;
}
