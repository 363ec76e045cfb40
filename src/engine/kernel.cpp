#include "engine/kernel.h"

#include "engine/display_state.h"
#include "engine/eval_kernel_env.h"
#include "engine/events.h"
#include "engine/script_state.h"
#include "model/evaluator.h"

namespace yav {

EvalState::EvalState() = default;
EvalState::~EvalState() = default;

Kernel::Kernel(UiPort& port) : ui(&port), display(std::make_unique<DisplayState>()),
      events(std::make_unique<EventState>()), scripts(std::make_unique<ScriptState>()) {}

EventState& eventState(Kernel& k) { return *k.events; }

Kernel::~Kernel() {
  if (disp.log) std::fclose(disp.log);  // a front-end that wants the report closes it first
  if (out.redirect) std::fclose(out.redirect);
}

TargetMemory* targetMemory(Kernel& k) { return k.target ? k.target->memory() : nullptr; }

}  // namespace yav
