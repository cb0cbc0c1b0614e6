// Tests of escaping attribute values.
#include "base/quoting.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(QuotingTest, AttributeValuesEscapeTheFourSpecialsAndCopyEveryOtherByte) {
  const struct {
    std::string value;
    std::string escaped;
  } cases[] = {
      {"\"&<>", "&quot;&amp;&lt;&gt;"},
      {"&amp;", "&amp;amp;"},  // no entity is taken as already escaped
      {"a 'b'\t=\xE9\xFF\x80/\n\r", "a 'b'\t=\xE9\xFF\x80/\n\r"},
      {"", ""},
  };
  for (const auto& c : cases) {
    std::string out = "keep:";
    base::AppendEscapedAttributeValue(out, c.value);
    EXPECT_EQ(out, "keep:" + c.escaped);
    EXPECT_EQ(base::EscapedAttributeSize(c.value), c.escaped.size());
  }
}

}  // namespace
