// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/pagetemplate.h"

#include "generation/error.h"
#include "generation/filesystem.h"
#include "generation/paths.h"
#include "generation/temporaryfile.h"
#include "generation/windows1252.h"

#include <algorithm>
#include <utility>

namespace pomerel {

namespace {

constexpr std::string_view kTemplateName = "brt.ggg";
constexpr std::string_view kLineEnd = "\r\n";

bool endsWithLineEnd(std::string_view text)
{
    return text.ends_with('\r') || text.ends_with(kLineEnd);
}

// The first "*" or CR at or after position, or the end.
std::size_t nextSpecial(std::string_view text, std::size_t position)
{
    while (position < text.size() && text[position] != '*' && text[position] != '\r')
        ++position;
    return position;
}

// The template filled into out: out.raw() takes the template's own bytes, out.value() each
// value in UTF-8. The runs between placeholders and line ends go out in one piece.
template<typename Output>
void fill(std::string_view templateBytes, const CvFields &cvFields, Output &out)
{
    std::size_t counter = 0;
    std::size_t position = 0;
    while (position < templateBytes.size()) {
        const std::size_t end = nextSpecial(templateBytes, position);
        out.raw(templateBytes.substr(position, end - position));
        position = end;
        if (position == templateBytes.size())
            break;
        if (templateBytes[position] == '*') {
            if (counter >= kFieldCount)
                throw Error(ErrorNumber::SubscriptOutOfRange);
            out.value(cvFields[counter++]);
            ++position;
        } else {
            // CR ends the line, with the LF after it if there is one.
            out.raw(kLineEnd);
            position += templateBytes.substr(position).starts_with(kLineEnd) ? 2 : 1;
        }
    }
    // The last line needs no line end in the template, but gets one in the page.
    if (!templateBytes.empty() && !endsWithLineEnd(templateBytes))
        out.raw(kLineEnd);
}

// The page made whole in a string.
class PageText
{
public:
    PageText(std::string_view templateBytes, const CvFields &cvFields)
    {
        // Every byte of the template at most twice (a lone CR becomes CR LF), every value once
        // and room for some character references. Memory reserved but never written costs
        // nothing.
        std::size_t values = 0;
        for (const std::string &value : cvFields)
            values += value.size();
        m_page.reserve(2 * templateBytes.size() + kLineEnd.size() + values + values / 4);
    }

    void raw(std::string_view bytes) { m_page.append(bytes); }
    void value(std::string_view utf8) { appendWindows1252(m_page, utf8); }
    std::string take() { return std::move(m_page); }

private:
    std::string m_page;
};

// The page written to its file in large blocks as it is made, so that however long the
// sections are, only a block of it is ever in memory.
class PageFile
{
public:
    explicit PageFile(files::TemporaryFile &file)
        : m_file(file)
    {
        m_block.reserve(kBlockBytes + kPieceBytes * 4);
    }

    void raw(std::string_view bytes)
    {
        m_block.append(bytes);
        flushIfFull();
    }

    void value(std::string_view utf8)
    {
        while (!utf8.empty()) {
            const std::size_t piece =
                utf8.size() <= kPieceBytes ? utf8.size() : characterBoundary(utf8, kPieceBytes);
            appendWindows1252(m_block, utf8.substr(0, piece));
            utf8.remove_prefix(piece);
            flushIfFull();
        }
    }

    void finish()
    {
        if (!m_block.empty())
            m_file.write(m_block);
        m_block.clear();
    }

private:
    static constexpr std::size_t kBlockBytes = 1 << 20;
    static constexpr std::size_t kPieceBytes = 1 << 18;

    void flushIfFull()
    {
        if (m_block.size() >= kBlockBytes)
            finish();
    }

    files::TemporaryFile &m_file;
    std::string m_block;
};

} // namespace

std::string fillTemplateText(std::string_view templateBytes, const CvFields &cvFields)
{
    PageText page(templateBytes, cvFields);
    fill(templateBytes, cvFields, page);
    return page.take();
}

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
    PageFile page(output);
    fill(templateBytes, cvFields, page);
    page.finish();
    output.commit();
}

} // namespace pomerel
