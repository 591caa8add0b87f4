// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/pagetemplate.h"

#include "generation/error.h"
#include "generation/filesystem.h"
#include "generation/paths.h"
#include "generation/temporaryfile.h"
#include "generation/windows1252.h"

#include <algorithm>
#include <string>

namespace pomerel {

namespace {

constexpr std::string_view kTemplateName = "brt.ggg";
constexpr std::string_view kLineEnd = "\r\n";

bool endsWithLineEnd(std::string_view text)
{
    return text.ends_with('\r') || text.ends_with(kLineEnd);
}

std::size_t placeholderCount(std::string_view templateBytes)
{
    return static_cast<std::size_t>(std::count(templateBytes.begin(), templateBytes.end(), '*'));
}

// The page for a template of at most kFieldCount placeholders.
std::string filledPage(std::string_view templateBytes, const CvFields &cvFields)
{
    std::string page;
    std::size_t values = 0;
    for (const std::string &value : cvFields)
        values += value.size();
    // Room for a lone CR or two becoming CR LF, and some character references.
    page.reserve(templateBytes.size() + templateBytes.size() / 8 + values + values / 8);
    std::size_t next = 0;
    for (std::size_t position = 0; position < templateBytes.size(); ++position) {
        const char c = templateBytes[position];
        if (c == '*') {
            appendWindows1252(page, cvFields[next++]);
        } else if (c == '\r') {
            // CR ends the line, with the LF after it if there is one.
            page += kLineEnd;
            if (templateBytes.substr(position + 1).starts_with('\n'))
                ++position;
        } else {
            page += c;
        }
    }
    // The last line needs no line end in the template, but gets one in the page.
    if (!templateBytes.empty() && !endsWithLineEnd(templateBytes))
        page += kLineEnd;
    return page;
}

} // namespace

void fillTemplate(std::string_view depart, std::string_view oa, const CvFields &cvFields)
{
    const std::string templatePath = resourcePath(depart, kTemplateName);
    const std::string templateBytes = files::readAll(templatePath);
    // Too many placeholders: the template is what needs mending, and the page is not touched.
    if (placeholderCount(templateBytes) > kFieldCount)
        throw Error(ErrorNumber::SubscriptOutOfRange, templatePath);
    const std::string page = filledPage(templateBytes, cvFields);
    // The page goes to a file beside "CV.html" that replaces it only once complete, so a
    // failing run leaves the previous page as it was.
    files::TemporaryFile output(pagePath(oa), 0666);
    output.write(page);
    output.commit();
}

} // namespace pomerel
