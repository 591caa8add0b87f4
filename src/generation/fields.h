#pragma once

// The values the page template's placeholders take, from the texts of the main window's boxes.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace pomerel {

inline constexpr std::size_t kFieldCount = 27;
using CvFields = std::array<std::string, kFieldCount>;

// Where each of the main window's boxes sits in BoxTexts: Text1 at index 0 to Text14 at index
// 13. The five section texts (Text1 to Text5) carry CR LF line ends.
enum BoxIndex : std::size_t {
    kFirstSection,    // Text1; the other four sections follow
    kNameLine1 = 5,   // Text6, under "Genre Prénom Nom"
    kNameLine2,       // Text7
    kProfessionLine1, // Text8, under "Profession"
    kProfessionLine2, // Text9
    kEmail,           // Text10
    kFixedPhone,      // Text11
    kMobilePhone,     // Text12
    kAddress,         // Text13
    kPostcodeAndTown, // Text14
    kBoxCount
};
inline constexpr std::size_t kSectionCount = kNameLine1 - kFirstSection;
using BoxTexts = std::array<std::string, kBoxCount>;

// The 27 values the template's placeholders take, in order. Slot 0 is OC as a link to the
// picture beside the page (pictureLink).
CvFields buildCvFields(std::string_view OC, const BoxTexts &texts);

} // namespace pomerel
