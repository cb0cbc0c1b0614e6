// The RTF parser behind Document::ReadRtf (internal to richtext): turns RTF
// into paragraphs of runs without touching any document.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "richtext/document.h"

namespace richtext::internal {

struct RtfRun {
  std::string text;  // no CR or LF
  CharFormat format;
};

struct RtfParagraph {
  std::vector<RtfRun> runs;  // never empty texts; neighbours differ in format
  ParagraphFormat format;
  CharFormat empty_format;  // the character format at its \par
};

// Parses a whole RTF text. Every \par (and \line, \row) ends a paragraph; the
// text after the last one is a paragraph only when it holds characters, so
// the \par RichEdit writes after the last paragraph ends it instead of
// starting another, and N paragraphs written with a \par each read back as N.
// On failure returns false with *error saying why and leaves *paragraphs
// empty; on success *paragraphs holds at least one paragraph.
bool ParseRtf(std::string_view rtf, std::vector<RtfParagraph>* paragraphs, std::string* error);

}  // namespace richtext::internal
