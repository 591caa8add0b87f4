#pragma once

#include <string>
#include <string_view>

namespace pomerel {

// How the page names a picture that lies beside it: the file name itself, with each
// character that would change what a browser reads percent-encoded, so that the same text
// works as an HTML attribute value, inside a CSS string and as a relative URL, and always
// leads to exactly that file. Encoded are the control characters, '"', '#', '%', '&', ':',
// '?', '\' and the blanks at either end (a browser drops those); everything else, letters
// with accents included, stays as it is.
std::string pictureLink(std::string_view fileName);

} // namespace pomerel
