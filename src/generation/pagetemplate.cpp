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

// The page goes to its file as it is made, whenever this much of it is waiting: a long page
// is never held whole in memory.
constexpr std::size_t kWriteBytes = 1 << 16;

// Fills a template of at most kFieldCount placeholders into output.
void writePage(std::string_view templateBytes, const CvFields &cvFields,
               files::TemporaryFile &output)
{
    std::string page; // made and not yet written
    std::size_t next = 0;
    for (std::size_t position = 0; position < templateBytes.size(); ++position) {
        const char c = templateBytes[position];
        if (c == '*') {
            // Room for a long value at once: most text takes no more bytes in the code page.
            const std::string &value = cvFields[next++];
            page.reserve(page.size() + value.size());
            appendWindows1252(page, value);
        } else if (c == '\r') {
            // CR ends the line, with the LF after it if there is one.
            page += kLineEnd;
            if (templateBytes.substr(position + 1).starts_with('\n'))
                ++position;
        } else {
            page += c;
        }
        if (page.size() >= kWriteBytes) {
            output.write(page);
            page.clear();
        }
    }
    // The last line needs no line end in the template, but gets one in the page.
    if (!templateBytes.empty() && !templateBytes.ends_with('\r') &&
        !templateBytes.ends_with(kLineEnd))
        page += kLineEnd;
    output.write(page);
}

} // namespace

void fillTemplate(std::string_view depart, std::string_view oa, const CvFields &cvFields)
{
    const std::string templatePath = resourcePath(depart, kTemplateName);
    const std::string templateBytes = files::readAll(templatePath);
    // Too many placeholders: the template is what needs mending, and the page is not touched.
    if (std::count(templateBytes.begin(), templateBytes.end(), '*') >
        static_cast<std::ptrdiff_t>(kFieldCount))
        throw Error(ErrorNumber::SubscriptOutOfRange, templatePath);
    // The page goes to a file beside "CV.html" that replaces it only once complete, so a
    // failing run leaves the previous page as it was.
    files::TemporaryFile output(pagePath(oa), 0666);
    writePage(templateBytes, cvFields, output);
    output.commit();
}

} // namespace pomerel
