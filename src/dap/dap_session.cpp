// The session's core: the request table, the state each request needs, responses and events.
#include "dap/dap_session.h"

namespace yav::dap {

const std::map<std::string, Session::Route, std::less<>>& Session::routes() {
  using S = Session;
  static const std::map<std::string, Route, std::less<>> table{
      {"initialize", {&S::initialize, Needs::Nothing}},
      {"launch", {&S::launch, Needs::Initialize}},
      {"configurationDone", {&S::configurationDone, Needs::Program}},
      {"threads", {&S::threads, Needs::Initialize}},
      {"disconnect", {&S::disconnect, Needs::Nothing}},
      {"terminate", {&S::terminate, Needs::Nothing}},
      {"restart", {&S::restart, Needs::Program}},
      {"setBreakpoints", {&S::setBreakpoints, Needs::Initialize}},
      {"setFunctionBreakpoints", {&S::setFunctionBreakpoints, Needs::Initialize}},
      {"setInstructionBreakpoints", {&S::setInstructionBreakpoints, Needs::Initialize}},
      {"setExceptionBreakpoints", {&S::setExceptionBreakpoints, Needs::Initialize}},
      {"dataBreakpointInfo", {&S::dataBreakpointInfo, Needs::Stopped}},
      {"setDataBreakpoints", {&S::setDataBreakpoints, Needs::Program}},
      {"continue", {&S::continueRequest, Needs::Stopped}},
      {"next", {&S::next, Needs::Stopped}},
      {"stepIn", {&S::stepIn, Needs::Stopped}},
      {"stepOut", {&S::stepOut, Needs::Stopped}},
      {"pause", {&S::pause, Needs::Program}},
      {"stackTrace", {&S::stackTrace, Needs::Stopped}},
      {"scopes", {&S::scopes, Needs::Stopped}},
      {"variables", {&S::variables, Needs::Stopped}},
      {"evaluate", {&S::evaluate, Needs::Stopped}},
      {"setVariable", {&S::setVariable, Needs::Stopped}},
      {"setExpression", {&S::setExpression, Needs::Stopped}},
      {"disassemble", {&S::disassemble, Needs::Stopped}},
      {"readMemory", {&S::readMemory, Needs::Stopped}},
      {"writeMemory", {&S::writeMemory, Needs::Stopped}},
  };
  return table;
}

Session::Session(Kernel& k, Channel& channel, StartOptions opt) : k_(k), channel_(channel), opt_(std::move(opt)) {}

int Session::serve() {
  while (!finished_) {
    if (!waiting_.empty()) {
      IncomingMessage m = std::move(waiting_.front());
      waiting_.pop_front();
      dispatch(m);
      continue;
    }
    if (std::optional<IncomingMessage> m = reader_.next()) {
      dispatch(*m);
      continue;
    }
    if (!channel_.receive(reader_, -1) && channel_.closed()) break;
  }
  if (k_.target) k_.target->shutdown();
  return 0;
}

void Session::dispatch(const IncomingMessage& message) {
  if (!message.ok()) {
    // Nothing identifies the request: the answer names none.
    respond(json{{"seq", 0}, {"command", ""}}, false, message.error, nullptr);
    return;
  }
  if (std::optional<std::string> shape = requestShapeError(message.body)) {
    json request{{"seq", 0}, {"command", ""}};
    if (const auto seq = message.body.find("seq"); seq != message.body.end() && seq->is_number_integer()) {
      request["seq"] = *seq;
    }
    if (const auto command = message.body.find("command"); command != message.body.end() && command->is_string()) {
      request["command"] = *command;
    }
    respond(request, false, *shape, nullptr);
    return;
  }
  serveRequest(message.body);
}

void Session::checkState(Needs needs, std::string_view command) const {
  const std::string name(command);
  if (needs >= Needs::Initialize && !initialized_) throw RequestError{name + " before initialize"};
  if (needs >= Needs::Program && !launched_) throw RequestError{name + ": no program launched"};
  if (needs >= Needs::Stopped && running_) throw RequestError{name + ": the target is running"};
}

void Session::serveRequest(const json& request) {
  const std::string command = request["command"].get<std::string>();
  const auto route = routes().find(command);
  if (route == routes().end()) {
    respond(request, false, "unknown request \"" + command + "\"", nullptr);
    return;
  }
  static const json kNoArguments = json::object();
  const auto args = request.find("arguments");
  const json& arguments = args != request.end() && args->is_object() ? *args : kNoArguments;
  // A request served while the target runs (from the pump) leaves the state of the one that
  // started the run as it was.
  const bool outerQuiet = quietErrors_;
  std::string* const outerCapture = capture;
  const std::string outerErrors = std::move(errors_);
  json body = json::object();
  std::function<void()> next;
  std::string failure;
  errors_.clear();
  try {
    checkState(route->second.needs, command);
    quietErrors_ = true;
    (this->*route->second.handler)(arguments, body);
    next = std::move(then_);
  } catch (const ArgumentError& e) {
    failure = command + ": " + e.message;
  } catch (const RequestError& e) {
    failure = e.message;
  } catch (const json::exception&) {
    // Arguments are read through the typed readers: this is a value of a type they missed.
    failure = command + ": an argument has the wrong type";
  }
  // What follows a failed request too (a console command that ran the target before it failed).
  if (!failure.empty()) next = std::move(then_);
  then_ = nullptr;
  quietErrors_ = outerQuiet;
  capture = outerCapture;
  errors_ = outerErrors;
  if (!failure.empty()) {
    respond(request, false, failure, nullptr);
  } else {
    respond(request, true, {}, std::move(body));
  }
  if (next) next();
}

void Session::respond(const json& request, bool success, const std::string& message, json body) {
  flushOutput();
  json response{{"seq", seq_++},
                {"type", "response"},
                {"request_seq", request["seq"]},
                {"command", request["command"]},
                {"success", success}};
  if (!success) {
    response["message"] = message;
    response["body"] = {{"error", {{"id", 1}, {"format", message}, {"showUser", false}}}};
  } else if (!body.is_null() && !body.empty()) {
    response["body"] = std::move(body);
  }
  channel_.send(response);
}

void Session::flushOutput() {
  if (pendingOutput_.empty()) return;
  json message{{"seq", seq_++},
               {"type", "event"},
               {"event", "output"},
               {"body", {{"category", pendingCategory_}, {"output", std::move(pendingOutput_)}}}};
  pendingOutput_.clear();
  channel_.send(message);
}

void Session::sendEvent(const std::string& event, json body) {
  flushOutput();
  json message{{"seq", seq_++}, {"type", "event"}, {"event", event}};
  if (!body.empty()) message["body"] = std::move(body);
  channel_.send(message);
}

void Session::output(std::string_view text, const char* category) {
  if (text.empty()) return;
  // The program's own output is never a command's result: it goes out even then.
  if (capture && std::string_view(category) != "stdout") {
    capture->append(text);
    return;
  }
  // The kernel prints a line in pieces: they go out as one event per line.
  if (pendingCategory_ != category) flushOutput();
  pendingCategory_ = category;
  pendingOutput_.append(text);
  if (pendingOutput_.back() == '\n' || pendingOutput_.size() > 4096) flushOutput();
}

void Session::errorShown(std::string_view text) {
  errors_.append(text);
  if (!errors_.empty() && errors_.back() != '\n') errors_ += '\n';
  if (capture) capture->append(text);
  else if (!quietErrors_) output(std::string(text) + (text.empty() || text.back() != '\n' ? "\n" : ""), "stderr");
}

std::string Session::reportedErrors() const {
  std::string text = errors_;
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

bool Session::pumpWhileRunning() {
  flushOutput();
  channel_.receive(reader_, 0);
  if (!running_) {
    // A command of a request under way pumps too: what comes meanwhile waits its turn.
    while (std::optional<IncomingMessage> m = reader_.next()) waiting_.push_back(std::move(*m));
    return false;
  }
  while (std::optional<IncomingMessage> m = reader_.next()) {
    const bool isRequest = m->ok() && !requestShapeError(m->body);
    const std::string command = isRequest ? m->body["command"].get<std::string>() : std::string();
    if (command == "pause") {
      pauseRequested_ = true;
      respond(m->body, true, {}, nullptr);
    } else if (command == "disconnect" || command == "terminate" || command == "restart") {
      // Served once the target has stopped; the stop is not shown, the request ends the run.
      pauseRequested_ = true;
      endRequested_ = true;
      waiting_.push_back(std::move(*m));
    } else if (command.starts_with("set") && command.ends_with("Breakpoints")) {
      // Breaks reach the target between runs: a free run stops for them and goes on.
      waiting_.push_back(std::move(*m));
      breaksChanged_ = true;
    } else if (isRequest) {
      serveRequest(m->body);  // what needs a stopped target is refused
    } else {
      dispatch(*m);
    }
  }
  if (channel_.closed()) pauseRequested_ = finished_ = true;
  return pauseRequested_ || (breaksChanged_ && freeRunning_);
}

void Session::serveWaitingBreakpoints() {
  std::deque<IncomingMessage> rest;
  while (!waiting_.empty()) {
    IncomingMessage m = std::move(waiting_.front());
    waiting_.pop_front();
    const std::string command = m.body["command"].get<std::string>();
    if (command.starts_with("set") && command.ends_with("Breakpoints")) serveRequest(m.body);
    else rest.push_back(std::move(m));
  }
  waiting_ = std::move(rest);
  breaksChanged_ = false;
}

}  // namespace yav::dap
