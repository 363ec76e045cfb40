// One debugging session with an editor: the requests it sends are served from the kernel, the
// stops, output and breakpoint changes go back as events.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dap/dap_channel.h"
#include "dap/dap_framing.h"
#include "dap/dap_sources.h"
#include "dap/dap_variables.h"
#include "engine/events.h"
#include "engine/kernel.h"
#include "engine/stop_record.h"
#include "ui/command_line.h"

namespace yav::dap {

// A request that cannot be served: its text goes back in the error response.
struct RequestError {
  std::string message;
};
// An argument missing or of the wrong type: the response names the request too.
struct ArgumentError : RequestError {};

// What the editor asked for and what the kernel made of it.
struct Breakpoint {
  enum class Kind { Line, Function, Instruction, Data };
  int id = 0;             // the editor's handle, stable for the session
  Kind kind = Kind::Line;
  std::string source;     // Line: the editor's path; Function: the name; Data: the expression
  int line = 0;           // Line: as asked
  uint32_t address = 0;   // Instruction
  char access = 'A';      // Data: 'R', 'W' or 'A'
  // What the event is given: a passage counts where the condition holds, the hit rule picks
  // the counted passages that fire, and a log message is printed instead of stopping.
  std::string condition;
  std::string logMessage;
  Event::HitRule hitRule = Event::HitRule::EveryNth;
  int32_t hitCount = 1;
  int eventNum = 0;       // the kernel's event, 0 when none was made
  bool verified = false;
  int actualLine = 0;     // Line: where the event sits (a line without code moves down)
  std::string message;    // why it is not verified
  bool ownsEvent = false; // the event was made for it (not one already at that place)
  bool unplaced = false;  // its event is suspended: the break hardware cannot take it as well
};

class Session {
 public:
  Session(Kernel& k, Channel& channel, StartOptions opt);

  // Serves requests until the editor disconnects or the input ends. Returns the exit status.
  int serve();
  // Serves one message as it came from the editor.
  void handle(const IncomingMessage& message) { dispatch(message); }

  // What the user-interface port passes on.
  void output(std::string_view text, const char* category);
  void errorShown(std::string_view text);
  // Serves the editor while the target runs: a pause sets the stop request, new breakpoints stop
  // a free run to take effect, a disconnect, terminate or restart stops the run and is served
  // after it (no stop is shown), and requests that need a stopped target are refused. True when
  // the target must stop.
  bool pumpWhileRunning();
  void executionStarts();
  // The record of the run that just ended.
  void executionStopped(const StopRecord& stop) { stop_ = stop; }
  // While set, the debugger's output is collected here instead of going to the editor (the
  // result of a command typed in the debug console).
  std::string* capture = nullptr;

 private:
  using Handler = void (Session::*)(const json& args, json& body);
  enum class Needs { Nothing, Initialize, Program, Stopped };
  struct Route {
    Handler handler;
    Needs needs;
  };
  static const std::map<std::string, Route, std::less<>>& routes();

  static constexpr int kThreadId = 1;

  void dispatch(const IncomingMessage& message);
  std::string reportedErrors() const;
  void serveRequest(const json& request);
  void checkState(Needs needs, std::string_view command) const;
  void respond(const json& request, bool success, const std::string& message, json body);
  void sendEvent(const std::string& event, json body = json::object());
  void flushOutput();
  // Serves the breakpoint requests that came during a run, leaving the others waiting.
  void serveWaitingBreakpoints();

  // Lifecycle.
  void initialize(const json& args, json& body);
  void launch(const json& args, json& body);
  void configurationDone(const json& args, json& body);
  void threads(const json& args, json& body);
  void disconnect(const json& args, json& body);
  void terminate(const json& args, json& body);
  void restart(const json& args, json& body);
  void connectAndLoad(const json& args, const std::string& program);

  // Breakpoints.
  void setBreakpoints(const json& args, json& body);
  void setFunctionBreakpoints(const json& args, json& body);
  void setInstructionBreakpoints(const json& args, json& body);
  void dataBreakpointInfo(const json& args, json& body);
  void setDataBreakpoints(const json& args, json& body);
  void setExceptionBreakpoints(const json& args, json& body);
  void replaceBreakpoints(Breakpoint::Kind kind, const std::string& source, std::vector<Breakpoint> wanted, json& body);
  void placeBreakpoint(Breakpoint& b);
  // Gives the event the breakpoint's condition, hit rule and log message; refuses a breakpoint
  // whose event serves another one with different settings.
  void configureEvent(Breakpoint& b);
  // Suspends the event of a breakpoint the break hardware cannot take with the others.
  void checkPlacement(Breakpoint& b);
  // Tries again the breakpoints suspended for want of break hardware.
  void retryUnplaced();
  void removeEvent(Breakpoint& b);
  json breakpointBody(const Breakpoint& b);
  void placePendingBreakpoints();
  // Breakpoints made or removed by commands (typed in the debug console, in the start-up
  // command file, in an event's action) reach the editor as new or removed.
  void syncConsoleBreakpoints();
  // The editor's breakpoints that stand for the events of a stop.
  std::vector<int> breakpointsOf(const StopRecord& stop);
  Breakpoint* findBreakpoint(int id);
  std::string expressionOfPart(const json& args, size_t& frame);

  // Execution.
  void continueRequest(const json& args, json& body);
  void next(const json& args, json& body);
  void stepIn(const json& args, json& body);
  void stepOut(const json& args, json& body);
  void pause(const json& args, json& body);
  void stepRequest(const json& args, const char* sourceCommand, const char* instructionCommand);
  void runAfterResponse(std::string command);
  void reportStopAfterResponse(std::string reason);
  // Runs an execution command and reports the stop the kernel recorded (or the end of the
  // session when the target is lost).
  void execute(const std::string& command);
  void reportStop(const std::string& reason, const std::vector<int>& hitIds = {}, const std::string& description = {});
  void reportRunEnd();

  // Inspection.
  void stackTrace(const json& args, json& body);
  void scopes(const json& args, json& body);
  void variables(const json& args, json& body);
  void evaluate(const json& args, json& body);
  void setVariable(const json& args, json& body);
  void setExpression(const json& args, json& body);
  json sourceOf(const std::string& fileName);
  // The call stack as the editor sees it: the kernel's frame chain, or where the chain is
  // empty (code outside the C functions) the program counter alone.
  struct FrameView {
    const FunctionEntry* function = nullptr;
    uint32_t line = 0;
    uint32_t pc = 0;
  };
  std::vector<FrameView> frameViews();
  // The frame of the chain a frame id names (0 without one).
  size_t frameIndex(const json& args);
  std::string runCommandCaptured(const std::string& line);
  // A command line typed in the debug console: what it prints is the result, an error fails
  // the request.
  void runConsoleCommand(const std::string& line, size_t frame, json& body);
  // A line number as the editor counts them.
  int lineOut(uint32_t line) const { return static_cast<int>(line) - (linesStartAt1_ || line == 0 ? 0 : 1); }

  // Memory and code.
  void disassemble(const json& args, json& body);
  void readMemory(const json& args, json& body);
  void writeMemory(const json& args, json& body);

  Kernel& k_;
  Channel& channel_;
  StartOptions opt_;
  MessageReader reader_;
  int seq_ = 1;
  bool initialized_ = false, launched_ = false, configured_ = false, finished_ = false;
  bool stopOnEntry_ = false;
  bool running_ = false, pauseRequested_ = false, ranTarget_ = false;
  bool terminatedSent_ = false;
  bool endRequested_ = false;  // a terminate, restart or disconnect stopped the run: no stop shown
  bool freeRunning_ = false;   // a free run is under way: new breakpoints interrupt it
  bool breaksChanged_ = false; // breakpoint requests wait for the target to stop
  std::deque<IncomingMessage> waiting_;  // requests that came while the target ran
  std::function<void()> then_;              // what follows the response (a run, an event)
  bool quietErrors_ = false;                // errors go into the response, not the output
  bool linesStartAt1_ = true;
  std::string errors_;                      // error reports of the request being served
  std::string pendingOutput_;               // output of one category not sent yet
  std::string pendingCategory_;
  std::optional<StopRecord> stop_;  // the record of the last run, once the kernel made one
  SourceMap sources_;
  std::vector<Breakpoint> breakpoints_;
  int nextBreakpointId_ = 1;
  VariableStore vars_;
};

}  // namespace yav::dap
