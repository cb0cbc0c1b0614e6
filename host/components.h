// The webbot components already in a page: the comment pair a bot's Edit
// entry produced, read back into the bot's name, its stored attributes and
// the HTML between the two comments, so that a component can be edited
// again in place.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "runner/attribute_list.h"

namespace host {

struct WebbotComponent {
  std::string bot;
  size_t begin = 0;  // where the startspan comment begins
  size_t end = 0;    // past the endspan comment and the line break after it
  runner::AttributeEntries attributes;  // in the comment's order, values unescaped
  std::string html;  // between the two comments
  bool holds_component = false;  // another component lies in html
};

// Every complete component of the page, in the order their startspan
// comments come, components inside others included. An endspan comment
// closes the nearest open startspan comment of its bot. A startspan comment
// without its endspan comment, or one whose attributes cannot be read, is no
// component.
std::vector<WebbotComponent> FindWebbotComponents(const std::string& page);

// "&quot;", "&amp;", "&lt;" and "&gt;" back into their characters.
std::string UnescapeAttributeValue(const std::string& value);

}  // namespace host
