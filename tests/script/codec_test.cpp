// The script language: every kind of line written and read back, the lines the reader refuses
// and why, and the commands no line says faithfully.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "game/game.h"
#include "script/codec.h"

namespace quillon::script {
namespace {

const engine::ScreenRegistry& Screens() {
  return game::GameScreens();
}

ScriptCommand Command(ScriptCommand::Kind kind, std::string item = "", std::string value = "") {
  ScriptCommand command;
  command.kind = kind;
  command.item = std::move(item);
  command.value = std::move(value);
  return command;
}

TEST(CodecTest, EveryKindOfCommandIsWrittenAsItsLineAndReadBackTheSame) {
  using Kind = ScriptCommand::Kind;
  const std::vector<std::pair<ScriptCommand, std::string>> lines = {
      {ScriptCommand::Click("board", "Picture1"), "click board Picture1"},
      {ScriptCommand::Type({0x17E, 'l', 'u', 0x165, ' '}), "type žluť "},
      {ScriptCommand::Type({0x10FFFF, 0xE000}), "type \xF4\x8F\xBF\xBF\xEE\x80\x80"},
      {ScriptCommand::Key(8), "key 8"},
      {ScriptCommand::Key(0x158), "key 344"},
      {ScriptCommand::Wait(0), "wait 0"},
      {ScriptCommand::Wait(86'400'000), "wait 86400000"},
      {Command(Kind::Print, "miseok.Loaded"), "print miseok.Loaded"},
      {Command(Kind::Expect, "Statistika.Label2.Caption", "Málo známý"),
       "expect Statistika.Label2.Caption Málo známý"},
      {Command(Kind::Expect, "ip.Text1.Text"), "expect ip.Text1.Text "},
      {Command(Kind::Screens), "screens"},
      {Command(Kind::Focus), "focus"},
      {ScriptCommand::Comment(" Příliš žluťoučký kůň\t"), "# Příliš žluťoučký kůň\t"},
      {ScriptCommand::Comment(""), "#"},
      {ScriptCommand(), ""},
  };
  for (const auto& [command, line] : lines) {
    EXPECT_EQ(WriteScriptLine(command), line);
    const ScriptLine read = ParseScriptLine(Screens(), line + "\r", 7);
    EXPECT_EQ(read.refusal, "") << line;
    EXPECT_EQ(read.number, 7);
    EXPECT_TRUE(read.command == command) << line;
    EXPECT_EQ(WriteFaithfully(Screens(), command), line);
  }
}

TEST(CodecTest, ACommandNoLineSaysFaithfullyIsRefusedByTheRoundTrip) {
  ScriptCommand twoKeys = ScriptCommand::Key(8);
  twoKeys.keys.push_back(8);
  const ScriptCommand unsayable[] = {
      ScriptCommand::Type({'a', '\t', 'b'}),
      ScriptCommand::Type({'a', '\n', 'b'}),
      ScriptCommand::Type({0xD800}),
      ScriptCommand::Type({0x110000}),
      ScriptCommand::Type(std::vector<int>(kMaxLineBytes, 'x')),  // a line too long
      ScriptCommand::Click("board", "Picture 1"),
      ScriptCommand::Click("board Picture1", ""),  // reads back as another click
      ScriptCommand::Click("board", "Picture99"),
      ScriptCommand::Key(127),
      ScriptCommand::Key(9),
      twoKeys,
      ScriptCommand::Wait(86'400'001),
      ScriptCommand::Wait(-1),
      ScriptCommand::Comment(" two\nlines"),
      ScriptCommand::Comment(" a line end\r"),
      ScriptCommand::Comment(std::string(" \0", 2)),
      Command(ScriptCommand::Kind::Print, "start.Visible twice"),
      Command(ScriptCommand::Kind::Expect, "start.Visible True"),  // reads back with a value
  };
  for (const ScriptCommand& command : unsayable) {
    EXPECT_EQ(WriteFaithfully(Screens(), command), std::nullopt)
        << WriteScriptLine(command).substr(0, 40);
  }
  EXPECT_EQ(Printable("a\tb\r\n\x7F\xFF\xC3ž€"), "a?b?????ž€");
}

void ExpectRefused(const std::vector<std::pair<std::string, std::string>>& refusals) {
  for (const auto& [line, refusal] : refusals) {
    EXPECT_EQ(ParseScriptLine(Screens(), line, 2).refusal, refusal) << line;
  }
}

TEST(CodecTest, UnknownWordsAndWordsLeftOverAreRefused) {
  ExpectRefused({
      {"jump board", "unknown command 'jump'"},
      {"jump" + std::string(60, 'x'),
       "unknown command 'jumpxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...'"},
      {" screens", "unknown command ''"},
      {"click nowhere Picture1", "unknown screen 'nowhere'"},
      {"click board Picture99", "unknown control 'board.Picture99'"},
      {"click board", "click takes SCREEN CONTROL"},
      {"click board Picture1 now", "click takes SCREEN CONTROL"},
      {"print board.Picture1.Colour", "unknown property 'Colour' of Picture1"},
      {"print board.Picture1.Text", "unknown property 'Text' of Picture1"},
      {"print board", "unknown item 'board'"},
      {"print start.Visible twice", "print takes one ITEM, not 'start.Visible twice'"},
      {"screens extra", "screens takes nothing after it, not 'extra'"},
      {"focus now", "focus takes nothing after it, not 'now'"},
  });
}

TEST(CodecTest, AWaitIsAWholeNumberOfMillisecondsUpToADayAndAKeyIsAKeyOrACharacter) {
  const std::string time = "': a wait is a whole number of ms from 0 to 86400000";
  const std::string key = "': a key is 8 (Backspace), 13 (Enter), 27 (Escape) or a character "
                          "from 32 to 1114111, not 127 nor 55296 to 57343";
  std::vector<std::pair<std::string, std::string>> refusals{{"wait", "bad time '" + time},
                                                            {"key", "bad key code '" + key}};
  for (const std::string ms : {"soon", "", "-1", "-0", "+5", " 5", "5 ", "5 5", "1e3",
                               "86400001", "9223372036854775807", "99999999999999999999"}) {
    refusals.push_back({"wait " + ms, "bad time '" + ms + time});
  }
  for (const std::string code : {"0", "9", "31", "127", "55296", "57343", "1114112", "2147483648",
                                 "4294967323" /* Escape, if it wrapped */, "99999999999999999999",
                                 "-1", "+13", "13x", "13 13", ""}) {
    refusals.push_back({"key " + code, "bad key code '" + code + key});
  }
  ExpectRefused(refusals);
  for (const int key : {8, 13, 27, 32, 55295, 57344, 1114111}) {
    EXPECT_TRUE(ParseScriptLine(Screens(), "key " + std::to_string(key), 1).command ==
                ScriptCommand::Key(key));
  }
}

TEST(CodecTest, EveryLineIsUtf8AndTypeTakesNoControlCharacters) {
  const std::string control = "; Backspace, Enter and Escape are key 8, 13 and 27";
  ExpectRefused({
      {"type \xFF" "abc", "invalid UTF-8 at byte 6"},
      {"type ab\x80", "invalid UTF-8 at byte 8"},               // a byte that only continues
      {"type \xC0\xAF", "invalid UTF-8 at byte 6"},             // '/' in two bytes
      {"type \xE0\x80\xAF", "invalid UTF-8 at byte 6"},         // '/' in three bytes
      {"type \xED\xA0\x80", "invalid UTF-8 at byte 6"},         // a surrogate
      {"type \xF4\x90\x80\x80", "invalid UTF-8 at byte 6"},     // past U+10FFFF
      {"type \xF8\x88\x80\x80\x80", "invalid UTF-8 at byte 6"},
      {"type \xE2\x82", "invalid UTF-8 at byte 6"},             // cut short at the line end
      {"type \xE2\x82" "x", "invalid UTF-8 at byte 6"},
      {"# a comment \xC3(", "invalid UTF-8 at byte 13"},
      {"print start.Vis\xFFible", "invalid UTF-8 at byte 16"},
      {std::string("type a\0b", 8), "NUL byte at byte 7"},
      {std::string("#\0", 2), "NUL byte at byte 2"},
      {"type a\tb", "type cannot press control character 9" + control},
      {"type a\rb", "type cannot press control character 13" + control},
      {"type \x1B", "type cannot press control character 27" + control},
      {"type \x7F", "type cannot press control character 127" + control},
  });
}

TEST(CodecTest, TheReaderTakesLinesOfAtMostOneMebibyte) {
  const std::string longest = "#" + std::string(kMaxLineBytes - 1, 'x');
  for (const char* lineEnd : {"\n", "\r\n"}) {
    std::istringstream script(longest + lineEnd + "focus");
    ScriptReader reader(Screens(), script);
    EXPECT_TRUE(reader.Next()->command == ScriptCommand::Comment(longest.substr(1)));
    const std::optional<ScriptLine> focus = reader.Next();
    EXPECT_EQ(focus->number, 2);
    EXPECT_TRUE(focus->command == Command(ScriptCommand::Kind::Focus));
    EXPECT_FALSE(reader.Next());
  }
  for (const std::string& tooLong : {longest + "x\nfocus\n", longest + "\r\r\n", longest + "x"}) {
    std::istringstream script(tooLong);
    EXPECT_EQ(ScriptReader(Screens(), script).Next()->refusal, "longer than 1048576 bytes");
  }
}

// Editors on some systems begin a file with the byte-order mark U+FEFF: the reader skips it at
// the start of the script, and nowhere else.
TEST(CodecTest, TheReaderSkipsAByteOrderMarkAtTheStartOfTheScript) {
  const std::string mark = "\xEF\xBB\xBF";
  for (const std::string& first : {mark + "focus", mark + "focus\r", std::string("focus")}) {
    std::istringstream script(first + "\n" + mark + "focus\n");
    ScriptReader reader(Screens(), script);
    const std::optional<ScriptLine> line = reader.Next();
    EXPECT_EQ(line->refusal, "");
    EXPECT_TRUE(line->command == Command(ScriptCommand::Kind::Focus));
    EXPECT_EQ(reader.Next()->refusal, "unknown command '" + mark + "focus'");
  }
  std::istringstream commented(mark + "# recorded\n");
  EXPECT_TRUE(ScriptReader(Screens(), commented).Next()->command ==
              ScriptCommand::Comment(" recorded"));
  std::istringstream twice(mark + mark + "focus\n");
  EXPECT_EQ(ScriptReader(Screens(), twice).Next()->refusal, "unknown command '" + mark + "focus'");
  std::istringstream alone(mark);
  EXPECT_TRUE(ScriptReader(Screens(), alone).Next()->command == ScriptCommand{})
      << "a blank line";
}

// A script that never ends, as a pipe from a program that writes for ever: `screens` lines
// without end, or rather until ten million of them were taken, when it ends with an error.
class EndlessScreens : public std::streambuf {
 public:
  explicit EndlessScreens(std::string start) : start_(std::move(start)) {
    setg(start_.data(), start_.data(), start_.data() + start_.size());
  }
  // The lines taken after the start.
  std::int64_t Taken() const { return taken_; }

 protected:
  int_type underflow() override {
    if (taken_ == 10'000'000) return traits_type::eof();
    ++taken_;
    setg(line_.data(), line_.data(), line_.data() + line_.size());
    return traits_type::to_int_type(line_.front());
  }

 private:
  std::string start_;
  std::string line_ = "screens\n";
  std::int64_t taken_ = 0;
};

// Whether the script goes on is known from one line more at most, and the next byte after it
// when that line is blank or a comment: never from the rest, which may never end.
TEST(CodecTest, TheReaderTellsWhetherTheScriptGoesOnWithoutReadingItToItsEnd) {
  struct Case {
    std::string rest;
    bool goesOn;
  };
  for (const Case& c : {
           Case{"", false},
           Case{"\n", false},
           Case{"\r\n", false},
           Case{"# a comment", false},
           Case{"# a comment\n", false},
           Case{"jump", true},
           Case{"\xFF\n", true},
           Case{std::string(2'000'000, 'x'), true},
           Case{"\n\n", true},
           Case{"# a comment\n# another\n", true},
           Case{"\nfocus\n", true},
       }) {
    std::istringstream script("focus\n" + c.rest);
    ScriptReader reader(Screens(), script);
    reader.Next();
    EXPECT_EQ(reader.GoesOn(), c.goesOn) << c.rest;
  }
  for (const char* start : {"focus\n", "focus\n\n"}) {
    EndlessScreens endless(start);
    std::istream script(&endless);
    ScriptReader reader(Screens(), script);
    reader.Next();
    EXPECT_TRUE(reader.GoesOn());
    EXPECT_LE(endless.Taken(), 2) << start;
  }
}

}  // namespace
}  // namespace quillon::script
