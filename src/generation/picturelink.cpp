#include "generation/picturelink.h"

namespace pomerel {

namespace {

// '"' ends the attribute, '&' starts a character reference, '\' a CSS escape, '#' and '?'
// a fragment or a query, '%' an encoded byte, ':' a URL scheme; control characters end the
// attribute or the CSS string, or are dropped from a URL.
bool changesMeaning(unsigned char c)
{
    constexpr std::string_view special = "\"#%&:?\\";
    return c < 0x20 || c == 0x7F || special.find(static_cast<char>(c)) != std::string_view::npos;
}

void appendEncoded(std::string &out, unsigned char c)
{
    constexpr std::string_view hex = "0123456789ABCDEF";
    out += '%';
    out += hex[c >> 4];
    out += hex[c & 0x0F];
}

} // namespace

std::string pictureLink(std::string_view fileName)
{
    const std::size_t first = fileName.find_first_not_of(' ');
    const std::size_t begin = first == std::string_view::npos ? fileName.size() : first;
    const std::size_t end =
        first == std::string_view::npos ? begin : fileName.find_last_not_of(' ') + 1;
    std::string link;
    link.reserve(fileName.size());
    for (std::size_t i = 0; i < fileName.size(); ++i) {
        const auto c = static_cast<unsigned char>(fileName[i]);
        const bool outerBlank = i < begin || i >= end;
        if (outerBlank || changesMeaning(c))
            appendEncoded(link, c);
        else
            link += static_cast<char>(c);
    }
    return link;
}

} // namespace pomerel
