#include "engine/print_value.h"
#include "support/fake_target_port.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/output.h"
#include "support/fake_target_memory.h"
#include "support/fake_ui_port.h"

namespace yav {
namespace {

class AggregateRecordingPort : public test::FakeUiPort {
 public:
  void showAggregate(const ValueRecord& v, char letter) override { shown.push_back(v.text + "/" + letter); }
  bool hasAggregateWindow() const override { return window; }
  std::vector<std::string> shown;
  bool window = true;
};

ValueRecord intValue(const char* text, int32_t value) {
  ValueRecord v;
  v.text = text;
  v.type = tc::Int;
  v.size = 2;
  v.setInt(value);
  return v;
}

TEST(PrintValue, NameAndValueLine) {
  AggregateRecordingPort port;
  Kernel k(port);
  putNameAndValue(k, intValue("count", -3), 0);
  putNameAndValue(k, intValue("count", -3), 'x');
  EXPECT_EQ(port.out, "    count = -3\n    count = 0xfffd\n");
  EXPECT_TRUE(k.out.happened);
}

TEST(PrintValue, DefaultRadixFromTheKernel) {
  AggregateRecordingPort port;
  Kernel k(port);
  k.out.defaultRadix = 2;
  putresult(k, intValue("n", 26), 0);
  EXPECT_EQ(port.out, "0x1a");
}

TEST(PrintValue, AggregatesGoToTheWindowUnlessTextual) {
  AggregateRecordingPort port;
  Kernel k(port);
  AggregateDescriptor d;
  d.size = 2;
  d.members = {{"a", tc::Int, {}, 0, 0}};
  ValueRecord s;
  s.text = "st";
  s.type = tc::Struct;
  s.aux = {{0, &d}};
  s.address = 0x80;
  s.locationClass = sc::Memory;
  putNameAndValue(k, s, 'x');
  EXPECT_EQ(port.out, "");
  EXPECT_EQ(port.shown, std::vector<std::string>{"st/x"});

  test::FakeTargetMemory mem;
  mem.putWord(0x80, 0x1234);
  k.target = std::make_unique<test::FakeTargetPort>(&mem);
  k.out.textualMode = true;
  putNameAndValue(k, s, 0);
  EXPECT_EQ(port.out, "{a=4660}\n");

  // A front-end without the window (terminal, batch) gets the aggregate as a line of text.
  port.out.clear();
  port.window = false;
  k.out.textualMode = false;
  putNameAndValue(k, s, 0);
  EXPECT_EQ(port.out, "    st = {a=4660}\n");
  EXPECT_EQ(port.shown.size(), 1u);
}

TEST(PrintValue, CaptureBufferCollectsTheValue) {
  AggregateRecordingPort port;
  Kernel k(port);
  startCapture(k, 1);
  putresult(k, intValue("n", 7), 'u');
  EXPECT_EQ(k.out.capture1.text, "7");
  EXPECT_EQ(port.out, "");
}

}  // namespace
}  // namespace yav
