// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/pagetemplate.h"

#include "generation/error.h"
#include "generation/filesystem.h"
#include "generation/inturn.h"
#include "generation/paths.h"
#include "generation/temporaryfile.h"
#include "generation/windows1252.h"

#include <algorithm>
#include <utility>
#include <vector>

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

// One piece of the page: template bytes as they are, or part of a value to convert.
struct Piece
{
    std::string_view bytes;
    bool isValue = false;
};
// The pieces of one block of the page.
using Job = std::vector<Piece>;

// The page cut into jobs of about kPageBlockBytes of input each (long values are cut between
// characters), so that each block can be made apart from the others.
class PageJobs
{
public:
    void raw(std::string_view bytes) { add({bytes, false}); }

    void value(std::string_view utf8)
    {
        while (!utf8.empty()) {
            const std::size_t piece =
                utf8.size() <= kPieceBytes ? utf8.size() : characterBoundary(utf8, kPieceBytes);
            add({utf8.substr(0, piece), true});
            utf8.remove_prefix(piece);
        }
    }

    std::vector<Job> take() { return std::move(m_jobs); }

private:
    static constexpr std::size_t kPieceBytes = kPageBlockBytes / 4;

    void add(Piece piece)
    {
        if (piece.bytes.empty())
            return;
        if (m_jobs.empty() || m_jobBytes >= kPageBlockBytes) {
            m_jobs.emplace_back();
            m_jobBytes = 0;
        }
        m_jobs.back().push_back(piece);
        m_jobBytes += piece.bytes.size();
    }

    std::vector<Job> m_jobs;
    std::size_t m_jobBytes = 0;
};

// The template filled into out: out.raw() takes the template's own bytes, out.value() each
// value in UTF-8. The runs between placeholders and line ends go out in one piece.
void fill(std::string_view templateBytes, const CvFields &cvFields, PageJobs &out)
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

std::vector<Job> pageJobs(std::string_view templateBytes, const CvFields &cvFields)
{
    PageJobs jobs;
    fill(templateBytes, cvFields, jobs);
    return jobs.take();
}

void appendBlock(const Job &job, std::string &out)
{
    for (const Piece &piece : job) {
        if (piece.isValue)
            appendWindows1252(out, piece.bytes);
        else
            out.append(piece.bytes);
    }
}

} // namespace

std::string fillTemplateText(std::string_view templateBytes, const CvFields &cvFields)
{
    // Every byte of the template at most twice (a lone CR becomes CR LF), every value once
    // and room for some character references. Memory reserved but never written costs
    // nothing.
    std::size_t values = 0;
    for (const std::string &value : cvFields)
        values += value.size();
    std::string page;
    page.reserve(2 * templateBytes.size() + kLineEnd.size() + values + values / 4);
    for (const Job &job : pageJobs(templateBytes, cvFields))
        appendBlock(job, page);
    return page;
}

void fillTemplateInBlocks(std::string_view templateBytes, const CvFields &cvFields,
                          const BlockConsumer &consume)
{
    const std::vector<Job> jobs = pageJobs(templateBytes, cvFields);
    makeInTurn(
        jobs.size(),
        [&jobs](std::size_t index, std::string &block) {
            block.clear();
            appendBlock(jobs[index], block);
        },
        consume);
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
    fillTemplateInBlocks(templateBytes, cvFields,
                         [&output](const std::string &block) { output.write(block); });
    output.commit();
}

} // namespace pomerel
