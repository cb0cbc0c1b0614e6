// Link ranges and line settings of the scroller's main column.
#include "bots_s3/scroll_links.h"

#include <algorithm>

namespace bots_s3 {
namespace {

enum class Where { kBefore, kAtStart, kInside, kAtEnd, kAfter };

Where Classify(const ScrollLink& link, int x, bool is_last_position) {
  if (x < link.start) return Where::kBefore;
  if (x > link.end) return Where::kAfter;
  // A one-character link: its last position is its end.
  if (link.start == link.end) return is_last_position ? Where::kAtEnd : Where::kAtStart;
  if (x == link.start) return Where::kAtStart;
  if (x == link.end) return Where::kAtEnd;
  return Where::kInside;
}

bool BeforeOrAtStart(Where w) { return w == Where::kBefore || w == Where::kAtStart; }
bool InsideOrAtEnd(Where w) { return w == Where::kInside || w == Where::kAtEnd; }

void CopyValues(ScrollLink& to, const ScrollLink& from) {
  to.url = from.url;
  to.message = from.message;
  to.target = from.target;
  to.highlight = from.highlight;
  if (from.highlight == 1) to.custom_colour = from.custom_colour;
}

}  // namespace

void ApplyLink(ScrollLinks& links, int b, int c, const ScrollLink& values,
               bool ends_with_line_break) {
  size_t insert_at = links.size();
  bool insert_set = false;
  bool exact_match = false;
  const auto set_insert = [&](size_t at) {
    if (!insert_set) insert_at = at;
    insert_set = true;
  };
  size_t i = 0;
  while (i < links.size()) {
    ScrollLink& link = links[i];
    const Where wb = Classify(link, b, false);
    const Where wc = Classify(link, c, true);
    if (wb == Where::kBefore && wc == Where::kBefore) {
      set_insert(i);
      break;
    }
    if (BeforeOrAtStart(wb) && (wc == Where::kAtStart || wc == Where::kInside)) {
      link.start = c + 1;
      set_insert(i);
      break;
    }
    if (wb == Where::kInside && wc == Where::kInside) {
      ScrollLink tail = link;
      tail.start = c + 1;
      link.end = b - 1;
      links.insert(links.begin() + static_cast<std::ptrdiff_t>(i) + 1, tail);
      set_insert(i + 1);
      break;
    }
    if (wb == Where::kAtStart && wc == Where::kAtEnd) {
      if (!values.url.empty()) {
        CopyValues(link, values);
        exact_match = true;
      } else {
        links.erase(links.begin() + static_cast<std::ptrdiff_t>(i));
        set_insert(i);
      }
      break;
    }
    if (wb == Where::kBefore && wc == Where::kAtEnd) {
      links.erase(links.begin() + static_cast<std::ptrdiff_t>(i));
      set_insert(i);
      break;
    }
    if (InsideOrAtEnd(wb) && wc == Where::kAtEnd) {
      link.end = b - 1;
      set_insert(i + 1);
      break;
    }
    if (BeforeOrAtStart(wb) && wc == Where::kAfter) {
      links.erase(links.begin() + static_cast<std::ptrdiff_t>(i));
      set_insert(i);
      continue;  // the next link moved into this place
    }
    if (InsideOrAtEnd(wb) && wc == Where::kAfter) {
      link.end = b - 1;
      set_insert(i + 1);
    }
    // Wholly before the range: passed.
    ++i;
  }
  if (exact_match || values.url.empty()) return;
  ScrollLink added = values;
  added.start = b;
  added.end = ends_with_line_break ? c - 2 : c;
  // A selection of nothing but a line break links nothing.
  if (added.end < added.start) return;
  links.insert(links.begin() + static_cast<std::ptrdiff_t>(std::min(insert_at, links.size())),
               added);
}

int LinkUnderSelection(const ScrollLinks& links, int start, int end) {
  const int position = start == end ? start - 1 : start;
  const int last = start == end ? position : end - 1;
  for (size_t i = 0; i < links.size(); ++i) {
    const ScrollLink& link = links[i];
    if (link.start > position) break;  // wholly after: nothing further can hold it
    if (link.Contains(position) && link.Contains(last)) return static_cast<int>(i);
  }
  return -1;
}

int LinkLook(const ScrollLinks& links, int position, int start, int end, int* caret_link) {
  *caret_link = -1;
  int look = 0;
  const bool empty = start == end;
  const int last = end - 1;
  for (size_t i = 0; i < links.size(); ++i) {
    const ScrollLink& link = links[i];
    if (link.Contains(position)) {
      if (empty || link.Contains(last)) {
        look = 0;
        *caret_link = static_cast<int>(i);
        break;
      }
      look = 6;
      continue;
    }
    if (link.start > position) {
      // A selection that reaches into it is mixed; one that does not keeps
      // what the links before said (half in an earlier link is mixed too).
      if (!empty && last >= link.start) look = 6;
      break;
    }
    look = 0;  // wholly before
  }
  if (*caret_link >= 0 && !links[static_cast<size_t>(*caret_link)].url.empty()) look = 2;
  return look;
}

void FollowSelectionEdit(ScrollLinks& links, ScrollLines& lines, int s, int t, int d, int caret) {
  if (s != t) {
    const int b = s;
    const int c = t - 1;
    size_t i = 0;
    while (i < links.size()) {
      ScrollLink& link = links[i];
      const Where wb = Classify(link, b, false);
      const Where wc = Classify(link, c, true);
      if ((wb == Where::kBefore && wc == Where::kBefore) ||
          (wb == Where::kInside && wc == Where::kInside)) {
        break;
      }
      if (BeforeOrAtStart(wb) && (wc == Where::kAtStart || wc == Where::kInside)) {
        link.start = t;
        break;
      }
      if (BeforeOrAtStart(wb) && wc == Where::kAtEnd) {
        links.erase(links.begin() + static_cast<std::ptrdiff_t>(i));
        break;
      }
      if (InsideOrAtEnd(wb) && wc == Where::kAtEnd) {
        link.end = s - 1;
        break;
      }
      if (BeforeOrAtStart(wb) && wc == Where::kAfter) {
        links.erase(links.begin() + static_cast<std::ptrdiff_t>(i));
        continue;
      }
      if (InsideOrAtEnd(wb) && wc == Where::kAfter) link.end = s - 1;
      ++i;
    }
    std::erase_if(lines, [&](const ScrollLineInfo& line) { return line.start >= s && line.start < t; });
  } else if (d < 0) {
    // The character before the caret's old place went with its link.
    int holder = -1;
    for (size_t i = 0; i < links.size(); ++i) {
      if (links[i].Contains(s)) holder = static_cast<int>(i);
    }
    int shortened = -1;
    if (holder > 0 && links[static_cast<size_t>(holder) - 1].end == caret) {
      shortened = holder - 1;
    } else if (holder < 0) {
      for (size_t i = 0; i < links.size() && links[i].start < s; ++i) {
        shortened = links[i].Contains(caret) ? static_cast<int>(i) : -1;
      }
    }
    if (shortened >= 0) {
      ScrollLink& link = links[static_cast<size_t>(shortened)];
      if (link.start == link.end) {
        links.erase(links.begin() + shortened);
      } else {
        --link.end;
      }
    }
    const auto joined = std::find_if(lines.begin(), lines.end(), [&](const ScrollLineInfo& line) {
      return line.start > caret && line.start <= s;
    });
    if (joined != lines.end()) lines.erase(joined);
  }
  for (ScrollLink& link : links) {
    if (link.start >= s) link.start += d;
    if (link.end >= s) link.end += d;
  }
  for (ScrollLineInfo& line : lines) {
    if (line.start >= s) line.start += d;
  }
}

void FollowTextEdit(ScrollLinks& links, ScrollLines& lines, int s, int d, bool line_end) {
  for (size_t i = 0; i < links.size();) {
    ScrollLink& link = links[i];
    if (link.start == s) {
      if (link.start == link.end) {
        links.erase(links.begin() + static_cast<std::ptrdiff_t>(i));
        continue;
      }
      link.start = s + 1 + d;
    } else if (link.start >= s) {
      link.start += d;
    }
    if (link.end >= s) link.end += d;
    ++i;
  }
  if (d <= -2) {
    for (size_t i = 0; i < lines.size();) {
      ScrollLineInfo& line = lines[i];
      if (line.start == s) {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        continue;
      }
      if (line.start == s + 2) {
        if (line_end) {
          lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
          continue;
        }
        line.start = s;
      } else if (line.start > s) {
        line.start += d;
      }
      ++i;
    }
  } else {
    for (ScrollLineInfo& line : lines) {
      if (line.start >= s) line.start += d;
    }
  }
}

void SetLineSetting(ScrollLines& lines, int start, const std::string& sound, int pause) {
  const auto at = std::lower_bound(
      lines.begin(), lines.end(), start,
      [](const ScrollLineInfo& line, int value) { return line.start < value; });
  if (at != lines.end() && at->start == start) {
    at->sound = sound;
    at->pause = pause;
    return;
  }
  lines.insert(at, ScrollLineInfo{start, sound, pause});
}

const ScrollLineInfo* FindLineSetting(const ScrollLines& lines, int start) {
  for (const ScrollLineInfo& line : lines) {
    if (line.start == start) return &line;
  }
  return nullptr;
}

void KeepStoredInOrder(ScrollLinks& links, ScrollLines& lines) {
  std::erase_if(links, [](const ScrollLink& link) {
    return link.start < 0 || link.end < link.start || link.end > kMostTextPosition;
  });
  std::stable_sort(links.begin(), links.end(),
                   [](const ScrollLink& a, const ScrollLink& b) { return a.start < b.start; });
  ScrollLinks kept;
  for (ScrollLink& link : links) {
    if (!kept.empty() && link.start <= kept.back().end) continue;
    kept.push_back(std::move(link));
  }
  links = std::move(kept);

  std::erase_if(lines, [](const ScrollLineInfo& line) {
    return line.start < 0 || line.start > kMostTextPosition;
  });
  std::stable_sort(lines.begin(), lines.end(), [](const ScrollLineInfo& a, const ScrollLineInfo& b) {
    return a.start < b.start;
  });
  lines.erase(std::unique(lines.begin(), lines.end(),
                          [](const ScrollLineInfo& a, const ScrollLineInfo& b) {
                            return a.start == b.start;
                          }),
              lines.end());
}

}  // namespace bots_s3
