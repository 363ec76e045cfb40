#include "engine/stop_record.h"

namespace yav {

const char* stopReasonName(StopReason reason) {
  switch (reason) {
    case StopReason::Breakpoint: return "breakpoint";
    case StopReason::DataAccess: return "data";
    case StopReason::StepEnd: return "step";
    case StopReason::Finish: return "finish";
    case StopReason::StopRequest: return "stop";
    case StopReason::TargetFault: return "fault";
  }
  return "step";
}

}  // namespace yav
