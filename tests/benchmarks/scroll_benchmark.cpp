// Converting the scroller's main column into applet items: a column of
// 10,000 lines, each with a link, must cost at most 12 times a column of
// 1,000 lines (the conversion grows with the text, not faster).
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>

#include "base/text.h"
#include "bots_s3/scroll_conversion.h"
#include "richtext/document.h"

namespace {

struct Column {
  richtext::Document document;
  bots_s3::ScrollLinks links;
};

// n lines "Line N: read the news here", "news" linked and bold.
void Build(int n, Column* column) {
  std::string text;
  std::vector<std::pair<int, int>> words;
  for (int i = 0; i < n; ++i) {
    if (i > 0) text += "\r\n";
    const std::string line = base::Format("Line %d: read the news here", i + 1);
    const int start = static_cast<int>(text.size() + line.find("news"));
    words.emplace_back(start, start + 3);
    text += line;
  }
  column->document.SetText(text);
  richtext::CharFormat bold;
  bold.bold = true;
  for (const auto& [start, end] : words) {
    column->document.ApplyFormat(start, end + 1, bold, richtext::mask::kBold);
    bots_s3::ScrollLink link;
    link.start = start;
    link.end = end;
    link.url = "news.htm";
    column->links.push_back(link);
  }
}

// Processor seconds of one conversion, the mean of `repeat` conversions
// (short runs are repeated to be measurable); the segment count in
// *segments.
double Convert(const Column& column, int repeat, size_t* segments) {
  const std::clock_t start = std::clock();
  for (int run = 0; run < repeat; ++run) {
    bots_s3::DocumentColumn reader(column.document);
    bots_s3::ScrollAppletItems items;
    bots_s3::ConvertMain(reader, column.document.LineCount(), column.links, {}, false, "",
                         &items);
    *segments = items.segments.size();
  }
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC / repeat;
}

}  // namespace

int main() {
  Column small, large;
  Build(1000, &small);
  Build(10000, &large);
  size_t small_segments = 0, large_segments = 0;
  // The best of nine samples of each, taken in turns, so that other work on
  // the machine weighs on both sizes alike.
  double small_time = 1e9, large_time = 1e9;
  for (int sample = 0; sample < 9; ++sample) {
    small_time = std::min(small_time, Convert(small, 10, &small_segments));
    large_time = std::min(large_time, Convert(large, 1, &large_segments));
  }
  const double ratio = large_time / std::max(small_time, 1e-6);
  std::printf("1,000 lines: %.4f s (%zu segments); 10,000 lines: %.4f s (%zu segments); "
              "ratio %.2f (limit 12)\n",
              small_time, small_segments, large_time, large_segments, ratio);
  // Three segments a line: before the link, the link, after it.
  if (small_segments != 3000 || large_segments != 30000) return 1;
  return ratio <= 12.0 ? 0 : 1;
}
