// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/fields.h"

#include "generation/picturelink.h"

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

// Where each value goes in CvFields: the order of the template's placeholders.
namespace slot {
enum : std::size_t {
    kPicture,
    kNameLine1,
    kNameLine2,
    kProfessionLine1,
    kProfessionLine2,
    kEmailCaption,
    kEmail,
    kFixedPhoneCaption,
    kFixedPhone,
    kMobilePhoneCaption,
    kMobilePhone,
    kAddress,
    kPostcodeAndTown,
    kFirstSection,                              // the other four sections follow
    kNameAgain = kFirstSection + kSectionCount, // Text6 again, here and in every later slot
};
} // namespace slot
static_assert(slot::kNameAgain < kFieldCount);

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
    fields[slot::kPicture] = pictureLink(OC);
    fields[slot::kNameLine1] = texts[kNameLine1];
    fields[slot::kNameLine2] = texts[kNameLine2];
    fields[slot::kProfessionLine1] = texts[kProfessionLine1];
    fields[slot::kProfessionLine2] = texts[kProfessionLine2];
    fields[slot::kEmailCaption] = captionFor(texts[kEmail], "E Mail");
    fields[slot::kEmail] = texts[kEmail];
    fields[slot::kFixedPhoneCaption] = captionFor(texts[kFixedPhone], "Téléphone fixe");
    fields[slot::kFixedPhone] = texts[kFixedPhone];
    fields[slot::kMobilePhoneCaption] = captionFor(texts[kMobilePhone], "Téléphone Mobile");
    fields[slot::kMobilePhone] = texts[kMobilePhone];
    fields[slot::kAddress] = texts[kAddress];
    fields[slot::kPostcodeAndTown] = texts[kPostcodeAndTown];
    for (std::size_t section = 0; section < kSectionCount; ++section)
        fields[slot::kFirstSection + section] = withPageLineBreaks(texts[kFirstSection + section]);
    for (std::size_t name = slot::kNameAgain; name < kFieldCount; ++name)
        fields[name] = texts[kNameLine1];
    return fields;
}

} // namespace pomerel
