// Reading webbot comments back out of a page: the one reader of the comment
// pairs ComposeWebbotHtml writes, shared by the stand-alone host and the bots
// that look at the components already in a page.
//
// A webbot comment is "<!--" directly followed by "webbot" (any letter case)
// and later by "-->"; the text between "webbot" and "-->" holds its
// attributes. Attributes are separated by white space; each is a name,
// optionally followed by "=" (white space allowed before it) and a value. A
// value that starts with a double quote runs to the next double quote, any
// other value to the next white space; values are unescaped ("&quot;",
// "&amp;", "&lt;", "&gt;"). A name without "=" has no value. Names compare
// without regard to case.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runner/attribute_list.h"

namespace runner {

// One component: the startspan comment `<!--webbot bot="NAME" startspan
// ATTRIBUTES -->`, the HTML it shows and the endspan comment
// `<!--webbot bot="NAME" endspan -->`.
struct WebbotComponent {
  std::string bot;
  size_t begin = 0;       // where the startspan comment begins
  size_t end = 0;         // past the endspan comment and the line break after it
  size_t html_begin = 0;  // the HTML between the two comments: after the startspan
  size_t html_end = 0;    //   comment (and its line break), up to the endspan comment
  AttributeEntries attributes;   // in the comment's order, values unescaped, without
                                 // "bot" and "startspan"
  bool holds_component = false;  // another component lies in the HTML

  // The HTML between the comments, in the page the component was found in.
  std::string_view Html(std::string_view page) const {
    return page.substr(html_begin, html_end - html_begin);
  }
};

// Every complete component of the page, in the order their startspan
// comments come, components inside others included. An endspan comment
// closes the nearest open startspan comment of its bot (bot names compare
// exactly); startspan comments left open inside that pair are no
// components, nor is a startspan comment without its endspan comment. A
// comment whose attributes cannot be read (an unclosed quote, a "=" without
// a name, no "bot" value), or that another "<!--webbot" interrupts before
// its "-->", is no webbot comment. Time and memory are linear in the page.
std::vector<WebbotComponent> FindWebbotComponents(std::string_view page);

// The attributes of one comment's text (between "webbot" and "-->"), in
// order; false, with *attributes unspecified, when the text cannot be read.
bool ParseWebbotAttributes(std::string_view text, AttributeEntries* attributes);

// The value of the first attribute called name (any letter case): null
// when there is none, an empty optional for an attribute without a value.
const std::optional<std::string>* FindWebbotAttribute(const AttributeEntries& attributes,
                                                      std::string_view name);

// "&quot;", "&amp;", "&lt;" and "&gt;" back into their characters; any other
// "&" stays as it is.
std::string UnescapeAttributeValue(std::string_view value);

}  // namespace runner
