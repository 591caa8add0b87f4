#include "generation/generation.h"
#include "generation/picturelink.h"

namespace pomerel {

namespace {

// Positions in BoxTexts: Text1 is at index 0.
constexpr std::size_t box(int textNumber)
{
    return static_cast<std::size_t>(textNumber - 1);
}

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
    fields[1] = texts[box(6)];
    fields[2] = texts[box(7)];
    fields[3] = texts[box(8)];
    fields[4] = texts[box(9)];
    fields[5] = captionFor(texts[box(10)], "E Mail");
    fields[6] = texts[box(10)];
    fields[7] = captionFor(texts[box(11)], "Téléphone fixe");
    fields[8] = texts[box(11)];
    fields[9] = captionFor(texts[box(12)], "Téléphone Mobile");
    fields[10] = texts[box(12)];
    fields[11] = texts[box(13)];
    fields[12] = texts[box(14)];
    for (std::size_t section = 0; section < 5; ++section)
        fields[13 + section] = withPageLineBreaks(texts[section]);
    for (std::size_t slot = 18; slot < kFieldCount; ++slot)
        fields[slot] = texts[box(6)];
    return fields;
}

} // namespace pomerel
