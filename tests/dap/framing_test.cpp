// The adapter's message reader and its base64, on input as a pipe delivers it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dap/dap_base64.h"
#include "dap/dap_framing.h"

namespace yav::dap {
namespace {

std::string framed(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// Everything the reader hands out for `input` fed in pieces of `piece` bytes: the bodies, or
// "!" and the reason for a refusal.
std::vector<std::string> readAll(const std::string& input, size_t piece) {
  MessageReader reader;
  std::vector<std::string> out;
  for (size_t at = 0; at < input.size(); at += piece) {
    reader.feed(std::string_view(input).substr(at, piece));
    while (auto m = reader.next()) out.push_back(m->ok() ? m->body.dump() : "!" + m->error);
  }
  return out;
}

TEST(MessageReader, GivesTheSameMessagesWhateverPiecesTheyArriveIn) {
  // "é" is two bytes: the length counts bytes, not characters.
  const std::string input = framed(R"({"seq":1,"command":"é"})") + "content-length:  3 \r\nX-Other: 1\r\n\r\n{ }" +
                            framed(R"({"seq":2})");
  const std::vector<std::string> expected{R"({"command":"é","seq":1})", "{}", R"({"seq":2})"};
  for (size_t piece = 1; piece <= input.size(); ++piece) EXPECT_EQ(readAll(input, piece), expected) << piece;
}

TEST(MessageReader, RefusesBadFramesAndGoesOn) {
  struct Case {
    std::string input;
    std::string reason;
  };
  const Case cases[] = {
      {"Content-Length: 1x\r\n\r\n", "without a valid Content-Length"},
      {"Content-Length: \r\n\r\n", "without a valid Content-Length"},
      {"Content-Type: json\r\n\r\n", "without a valid Content-Length"},
      {"Content-Length: -1\r\n\r\n", "without a valid Content-Length"},
      {framed("{\"a\":"), "malformed JSON"},
      {framed("[1]"), "not a JSON object"},
      {framed("\"text\""), "not a JSON object"},
      {framed("{} {}"), "malformed JSON"},
      {std::string(5000, 'x'), "header too long"},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> got = readAll(c.input + framed("{}"), 7);
    ASSERT_FALSE(got.empty()) << c.input.substr(0, 40);
    EXPECT_NE(got.front().find(c.reason), std::string::npos) << got.front();
    // The header-too-long case loses what followed in the same buffer; the others read on.
    if (c.reason != "header too long") {
      EXPECT_EQ(got.back(), "{}") << c.input.substr(0, 40);
    }
  }
}

TEST(MessageReader, PicksTheNextHeaderUpAfterAFrameThatIsOff) {
  struct Case {
    const char* what;
    std::string input;
    std::vector<std::string> expected;
  };
  const std::string second = framed(R"({"seq":2})");
  const Case cases[] = {
      {"header lines ended by LF alone", "Content-Length: 9\n\n{\"seq\":1}" + second, {R"({"seq":1})", R"({"seq":2})"}},
      {"CR LF and LF mixed", "Content-Length: 9\r\n\n{\"seq\":1}" + second, {R"({"seq":1})", R"({"seq":2})"}},
      // The first body is 24 bytes long: its tail runs into the next header.
      {"a Content-Length short of the body", "Content-Length: 5\r\n\r\n{\"seq\":1,\"command\":\"x\"}" + second,
       {"!malformed JSON in message", R"({"seq":2})"}},
      {"the same with LF line ends", "Content-Length: 5\n\n{\"seq\":1,\"command\":\"x\"}Content-Length: 9\n\n{\"seq\":2}",
       {"!malformed JSON in message", R"({"seq":2})"}},
      {"line ends between messages", framed(R"({"seq":1})") + "\r\n\n" + second, {R"({"seq":1})", R"({"seq":2})"}},
      {"another field first", "Content-Type: application/json\r\nContent-Length: 9\r\n\r\n{\"seq\":1}" + second,
       {R"({"seq":1})", R"({"seq":2})"}},
      // A field whose name merely ends in Content-Length is another field.
      {"a longer field name", "X-Content-Length: 9\r\n\r\n" + second,
       {"!message header without a valid Content-Length", R"({"seq":2})"}},
  };
  for (const Case& c : cases) {
    for (size_t piece = 1; piece <= c.input.size(); ++piece) {
      EXPECT_EQ(readAll(c.input, piece), c.expected) << c.what << ", pieces of " << piece;
    }
  }
}

TEST(MessageReader, SkipsTheBodyOfAMessageTooLargeToHold) {
  const size_t size = MessageReader::kMaxContentLength + 10;
  MessageReader reader;
  reader.feed("Content-Length: " + std::to_string(size) + "\r\n\r\n");
  auto refused = reader.next();
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->error.find("too large"), std::string::npos);
  const std::string chunk(1 << 20, 'x');
  for (size_t sent = 0; sent < size; sent += chunk.size()) {
    reader.feed(std::string_view(chunk).substr(0, std::min(chunk.size(), size - sent)));
    EXPECT_FALSE(reader.next());
  }
  reader.feed(framed("{}"));
  auto next = reader.next();
  ASSERT_TRUE(next && next->ok());
}

TEST(MessageReader, WritesTextThatIsNotUtf8Readably) {
  const std::string out = frameMessage({{"output", std::string("a\xff" "b")}});
  MessageReader reader;
  reader.feed(out);
  auto back = reader.next();
  ASSERT_TRUE(back && back->ok());
  EXPECT_EQ(back->body["output"], "a\xEF\xBF\xBD" "b");  // the replacement character
}

TEST(Base64, FollowsTheStandardsExamples) {
  // The test vectors of RFC 4648, section 10.
  const std::pair<std::string, std::string> vectors[] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},
                                                         {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="},
                                                         {"foobar", "Zm9vYmFy"}};
  for (const auto& [text, encoded] : vectors) {
    const std::vector<uint8_t> bytes(text.begin(), text.end());
    EXPECT_EQ(toBase64(bytes), encoded);
    EXPECT_EQ(fromBase64(encoded), bytes);
  }
  for (const char* bad : {"Zg=a", "Z", "Zm9v!", "Zm 9v"}) EXPECT_FALSE(fromBase64(bad)) << bad;
}

}  // namespace
}  // namespace yav::dap
