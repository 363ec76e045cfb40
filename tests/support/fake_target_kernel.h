// A kernel whose target is a FakeTargetPort, running command lines with errors printed as in a
// command file: for tests of commands that reach the target port.
#pragma once
#include <memory>
#include <string>

#include "engine/dispatcher.h"
#include "support/fake_target_port.h"
#include "support/fake_ui_port.h"

namespace yav::test {

struct FakeTargetKernel {
  FakeUiPort ui;
  Kernel k{ui};
  FakeTargetPort* port = nullptr;
  FakeTargetKernel() {
    auto p = std::make_unique<FakeTargetPort>();
    port = p.get();
    k.target = std::move(p);
    k.cmdfile.inputMark = true;
  }
  // The output of one command line.
  std::string run(const char* line) {
    ui.out.clear();
    runStatements(k, line, 1);
    return ui.out;
  }
};

}  // namespace yav::test
