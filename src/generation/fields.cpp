// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/fields.h"

#include "generation/picturelink.h"

#include <future>

namespace pomerel {

namespace {

// A section's typed line ends become page line breaks: each CR is replaced by "<BR>" and
// everything else, the LF after it included, stays as typed.
std::string withPageLineBreaks(std::string_view text)
{
    constexpr std::string_view lineBreak = "<BR>";
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    std::size_t start = 0;
    for (std::size_t cr = text.find('\r'); cr != std::string_view::npos;
         cr = text.find('\r', start)) {
        result.append(text, start, cr - start);
        result += lineBreak;
        start = cr + 1;
    }
    result.append(text, start);
    return result;
}

// Sections longer than this in all are rewritten on two threads.
constexpr std::size_t kSectionBytesForTwoThreads = 1 << 20;

std::size_t sectionBytes(const BoxTexts &texts)
{
    std::size_t bytes = 0;
    for (std::size_t section = 0; section < kSectionCount; ++section)
        bytes += texts[kFirstSection + section].size();
    return bytes;
}

// A caption that appears only beside a detail that was given. Blanks count as given.
std::string captionFor(std::string_view detail, std::string_view caption)
{
    return detail.empty() ? std::string() : std::string(caption);
}

} // namespace

CvFields buildCvFields(std::string_view OC, const BoxTexts &texts)
{
    CvFields fields;
    // The picture lies beside the page, whatever characters its name holds.
    fields[0] = pictureLink(OC);
    fields[1] = texts[kNameLine1];
    fields[2] = texts[kNameLine2];
    fields[3] = texts[kProfessionLine1];
    fields[4] = texts[kProfessionLine2];
    fields[5] = captionFor(texts[kEmail], "E Mail");
    fields[6] = texts[kEmail];
    fields[7] = captionFor(texts[kFixedPhone], "Téléphone fixe");
    fields[8] = texts[kFixedPhone];
    fields[9] = captionFor(texts[kMobilePhone], "Téléphone Mobile");
    fields[10] = texts[kMobilePhone];
    fields[11] = texts[kAddress];
    fields[12] = texts[kPostcodeAndTown];
    const auto rewriteSections = [&](std::size_t first) {
        for (std::size_t section = first; section < kSectionCount; section += 2)
            fields[13 + section] = withPageLineBreaks(texts[kFirstSection + section]);
    };
    if (sectionBytes(texts) < kSectionBytesForTwoThreads) {
        rewriteSections(0);
        rewriteSections(1);
    } else {
        // Most of the time goes to the system handing out fresh memory, which two cores do
        // faster than one.
        auto other = std::async(std::launch::async, rewriteSections, 1);
        rewriteSections(0);
        other.get();
    }
    for (std::size_t slot = 13 + kSectionCount; slot < kFieldCount; ++slot)
        fields[slot] = texts[kNameLine1];
    return fields;
}

} // namespace pomerel
