// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/pagetemplate.h"

#include "generation/error.h"
#include "generation/filesystem.h"
#include "generation/paths.h"
#include "generation/windows1252.h"

namespace pomerel {

namespace {

constexpr std::string_view kTemplateName = "brt.ggg";
constexpr std::string_view kLineEnd = "\r\n";

std::size_t outputSizeHint(std::string_view templateBytes, const CvFields &cvFields)
{
    // Every byte of the template at most twice (a lone CR becomes CR LF), every value once and
    // room for some character references. Memory reserved but never written costs nothing.
    std::size_t values = 0;
    for (const std::string &value : cvFields)
        values += value.size();
    return 2 * templateBytes.size() + kLineEnd.size() + values + values / 4;
}

bool endsWithLineEnd(std::string_view text)
{
    return text.ends_with('\r') || text.ends_with(kLineEnd);
}

} // namespace

std::string fillTemplateText(std::string_view templateBytes, const CvFields &cvFields)
{
    std::string page;
    page.reserve(outputSizeHint(templateBytes, cvFields));
    std::size_t counter = 0;
    std::size_t position = 0;
    while (position < templateBytes.size()) {
        const std::size_t special = templateBytes.find_first_of("*\r", position);
        const std::size_t end = special == std::string_view::npos ? templateBytes.size() : special;
        page.append(templateBytes, position, end - position);
        position = end;
        if (position == templateBytes.size())
            break;
        if (templateBytes[position] == '*') {
            if (counter >= kFieldCount)
                throw Error(ErrorNumber::SubscriptOutOfRange);
            appendWindows1252(page, cvFields[counter++]);
            ++position;
        } else {
            // CR ends the line, with the LF after it if there is one.
            page += kLineEnd;
            position += templateBytes.substr(position).starts_with(kLineEnd) ? 2 : 1;
        }
    }
    // The last line needs no line end in the template, but gets one in the page.
    if (!templateBytes.empty() && !endsWithLineEnd(templateBytes))
        page += kLineEnd;
    return page;
}

void fillTemplate(std::string_view depart, std::string_view oa, const CvFields &cvFields)
{
    const std::string templatePath = resourcePath(depart, kTemplateName);
    const std::string templateBytes = files::readAll(templatePath);
    std::string page;
    try {
        page = fillTemplateText(templateBytes, cvFields);
    } catch (const Error &error) {
        // Too many placeholders: the template is what needs mending.
        throw Error(error.number(), templatePath);
    }
    // The page is made whole in memory and replaces "CV.html" only once complete, so a
    // failing run leaves the previous page as it was.
    files::replaceWith(pagePath(oa), page);
}

} // namespace pomerel
