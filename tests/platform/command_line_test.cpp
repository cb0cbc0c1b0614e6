// Tests of the Windows command-line splitter the POSIX shell uses. The cases
// are the C runtime's documented examples plus the edges the product meets
// (empty arguments, unclosed quotes, folders with spaces).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/quoting.h"
#include "platform/command_line.h"

namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLineTest, SplitsAsTheMicrosoftCRuntime) {
  struct Case {
    const char* line;
    Arguments expected;
  };
  const Case cases[] = {
      {"", {}},
      {"  \t ", {}},
      {" a  b\tc ", {"a", "b", "c"}},
      {R"("a b c" d e)", {"a b c", "d", "e"}},
      {R"("ab\"c" "\\" d)", {R"(ab"c)", R"(\)", "d"}},
      {R"(a\\\b d"e f"g h)", {R"(a\\\b)", "de fg", "h"}},
      {R"(a\\\"b c d)", {R"(a\"b)", "c", "d"}},
      {R"(a\\\\"b c" d e)", {R"(a\\b c)", "d", "e"}},
      // Two quotes inside quotes: one literal quote, still inside quotes.
      {R"(a"b"" c d)", {R"(ab" c d)"}},
      {R"("say ""hi"" now" next)", {R"(say "hi" now)", "next"}},
      {R"("")", {""}},
      {R"(x "" y)", {"x", "", "y"}},
      {R"("unclosed to the end)", {"unclosed to the end"}},
      {R"(C:\Program Files\Kel\bot.exe)", {R"(C:\Program)", R"(Files\Kel\bot.exe)"}},
      {R"("C:\Program Files\Kel\\" next)", {R"(C:\Program Files\Kel\)", "next"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, platform::SplitCommandLine(c.line)) << "line: " << c.line;
  }
}

TEST(CommandLineTest, QuotedArgumentsComeBackUnchanged) {
  const struct {
    const char* argument;
    const char* quoted;
  } cases[] = {
      {"plain", "plain"},
      {R"(C:\Kel\bot.exe)", R"(C:\Kel\bot.exe)"},
      {"", R"("")"},
      {"a b", R"("a b")"},
      {R"(C:\Program Files\Kel\)", R"("C:\Program Files\Kel\\")"},
      {R"(say "hi")", R"("say \"hi\"")"},
      {R"(a\"b)", R"("a\\\"b")"},
      {"tab\there", "\"tab\there\""},
  };
  std::vector<std::string> arguments;
  std::string line;
  for (const auto& c : cases) {
    EXPECT_EQ(base::QuoteArgument(c.argument), c.quoted) << c.argument;
    arguments.push_back(c.argument);
    line += (line.empty() ? "" : " ") + base::QuoteArgument(c.argument);
  }
  EXPECT_EQ(platform::SplitCommandLine(line), arguments) << line;
}

}  // namespace
