// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzzes the field list and the template filling together: arbitrary template bytes and
// arbitrary Unicode box texts go through buildCvFields and fillTemplate, into a real page in
// a temporary folder (on /dev/shm when there is one). On every input it checks that:
//   - a template without "*" comes back unchanged apart from its line ends becoming CR LF;
//   - a template with at most 27 "*" fills without error;
//   - more than 27 is error 9 and leaves nothing in the destination, no page, no temporary file;
//   - nothing a value holds, "*" included, is ever treated as a placeholder;
//   - the page decodes back, from Windows-1252 and numeric character references, to the
//     template with the values in place of its placeholders.
// Texts that are not valid UTF-8 are also filled as they are: that must neither crash nor
// break the first three rules.
//
// Input: 15 texts (Text1 to Text14, then the photo's name), each ended by a backslash and a
// character other than a backslash ("\\" stands for one backslash), then the template.

#include "generation/error.h"
#include "generation/generation.h"
#include "generation/pagetemplate.h"
#include "generation/paths.h"
#include "generation/picturelink.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <fuzzer/FuzzedDataProvider.h>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;
using CodePoints = std::u32string;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "template_fuzzer: %s\n", what);
    std::abort();
}

void check(bool condition, const char *what)
{
    if (!condition)
        fail(what);
}

// --- Unicode -----------------------------------------------------------------------------

// The UTF-8 decoding of text, or nothing when it is not well-formed.
std::optional<CodePoints> decodeUtf8(std::string_view text)
{
    CodePoints out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            length = 1, c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, c = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, c = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, c = lead & 0x07, minimum = 0x10000;
        } else {
            return std::nullopt;
        }
        if (i + length > text.size())
            return std::nullopt;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return std::nullopt;
        out += c;
        i += length;
    }
    return out;
}

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Well-formed UTF-8 from any bytes: well-formed sequences stay, every other byte becomes a
// character far from ASCII (Latin Extended, or a pictograph beyond the first plane), so that
// the fuzzer's byte mutations reach the characters Windows-1252 cannot hold.
std::string repairUtf8(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        for (std::size_t length = 4; length >= 1; --length) {
            if (i + length <= text.size() && decodeUtf8(text.substr(i, length))) {
                out += text.substr(i, length);
                i += length - 1;
                break;
            }
            if (length == 1) {
                const auto byte = static_cast<unsigned char>(text[i]);
                appendUtf8(out, byte < 0xC0 ? char32_t{0x100} + byte : char32_t{0x1F300} + byte);
            }
        }
    }
    return out;
}

// Windows-1252 as Windows reads it: the five unassigned bytes stand for the C1 controls of
// the same number.
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t fromWindows1252(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kWindows1252High[byte - 0x80];
    return byte;
}

CodePoints decodeWindows1252(std::string_view bytes)
{
    CodePoints out;
    out.reserve(bytes.size());
    for (const char byte : bytes)
        out += fromWindows1252(static_cast<unsigned char>(byte));
    return out;
}

// Replaces each decimal ("&#322;") or hexadecimal ("&#x142;") character reference by its
// character, in one pass from left to right; anything else stays as it is.
CodePoints decodeReferences(const CodePoints &text)
{
    CodePoints out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'&' && i + 1 < text.size() && text[i + 1] == U'#') {
            std::size_t j = i + 2;
            const bool hex = j < text.size() && (text[j] == U'x' || text[j] == U'X');
            if (hex)
                ++j;
            const std::size_t digitsStart = j;
            std::uint64_t value = 0;
            for (; j < text.size() && j - digitsStart < 8; ++j) {
                const char32_t c = text[j];
                int digit = -1;
                if (c >= U'0' && c <= U'9')
                    digit = static_cast<int>(c - U'0');
                else if (hex && c >= U'a' && c <= U'f')
                    digit = static_cast<int>(c - U'a' + 10);
                else if (hex && c >= U'A' && c <= U'F')
                    digit = static_cast<int>(c - U'A' + 10);
                if (digit < 0)
                    break;
                value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
            }
            if (j > digitsStart && j < text.size() && text[j] == U';' && value <= 0x10FFFF) {
                out += static_cast<char32_t>(value);
                i = j;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// --- What the page must be -----------------------------------------------------------------

// The template's lines: a line ends at CR LF or at a lone CR; a lone LF is an ordinary
// character; the last line needs no line end.
std::vector<std::string_view> templateLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r')
            continue;
        lines.push_back(bytes.substr(start, i - start));
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

std::string withCrLfLineEnds(std::string_view bytes)
{
    std::string out;
    for (const std::string_view line : templateLines(bytes)) {
        out += line;
        out += "\r\n";
    }
    return out;
}

// The page as characters, before encoding: the template's own characters, with the values
// (as characters) in place of its placeholders.
CodePoints expectedText(std::string_view templateBytes, const std::vector<CodePoints> &values)
{
    CodePoints out;
    std::size_t next = 0;
    for (const std::string_view line : templateLines(templateBytes)) {
        for (const char byte : line) {
            if (byte == '*')
                out += values.at(next++);
            else
                out += fromWindows1252(static_cast<unsigned char>(byte));
        }
        out += U"\r\n";
    }
    return out;
}

// --- The field list ------------------------------------------------------------------------

void checkFieldList(const pomerel::CvFields &fields, std::string_view OC,
                    const pomerel::BoxTexts &texts)
{
    check(fields[0] == pomerel::pictureLink(OC), "slot 0 is not the link to the photo");
    for (std::size_t slot = 18; slot < pomerel::kFieldCount; ++slot)
        check(fields[slot] == fields[1] && fields[1] == texts[5],
              "slots 18 to 26 differ from Text6");
    for (std::size_t section = 0; section < 5; ++section) {
        const std::string &text = texts[section];
        const std::string &slot = fields[13 + section];
        const auto returns = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r'));
        check(slot.find('\r') == std::string::npos, "a section slot keeps a carriage return");
        check(slot.size() == text.size() + 3 * returns, "a section slot is not its text with <BR>");
    }
}

// --- The run -------------------------------------------------------------------------------

struct Folders
{
    fs::path root;
    std::string depart;
    std::string oa;
};

const Folders &folders()
{
    static const Folders made = [] {
        std::error_code ignored;
        fs::path base = fs::is_directory("/dev/shm", ignored) ? fs::path("/dev/shm")
                                                              : fs::temp_directory_path();
        std::string pattern = (base / "pomerel-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            fail("cannot make the temporary folder");
        Folders result{pattern, {}, {}};
        fs::create_directories(result.root / "depart");
        fs::create_directories(result.root / "oa");
        result.depart = (result.root / "depart").string();
        result.oa = pomerel::joinFolderAndFile((result.root / "oa").string(), "");
        std::atexit([] { fs::remove_all(folders().root); });
        return result;
    }();
    return made;
}

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Fills the template with the fields and checks the page; values is empty for texts that are
// not valid UTF-8, whose page is only checked for its shape.
void fillAndCheck(std::string_view templateBytes, const pomerel::CvFields &fields,
                  const std::vector<CodePoints> &values)
{
    const Folders &where = folders();
    {
        std::ofstream out(fs::path(where.depart) / "brt.ggg", std::ios::binary | std::ios::trunc);
        out.write(templateBytes.data(), static_cast<std::streamsize>(templateBytes.size()));
        if (!out)
            fail("cannot write the template");
    }
    const fs::path page = fs::path(where.oa) / "CV.html";
    const auto placeholders =
        static_cast<std::size_t>(std::count(templateBytes.begin(), templateBytes.end(), '*'));

    std::optional<pomerel::ErrorNumber> error;
    try {
        pomerel::fillTemplate(where.depart, where.oa, fields);
    } catch (const pomerel::Error &e) {
        error = e.number();
    }

    if (placeholders > pomerel::kFieldCount) {
        check(error == pomerel::ErrorNumber::SubscriptOutOfRange,
              "a 28th placeholder is not error 9");
        check(fs::is_empty(where.oa), "a failed fill left a file in the destination");
        return;
    }
    check(!error.has_value(), "a template with at most 27 placeholders failed");
    const std::string written = readFile(page);
    fs::remove(page);
    check(fs::is_empty(where.oa), "the fill left another file beside the page");

    if (placeholders == 0)
        check(written == withCrLfLineEnds(templateBytes),
              "a template without placeholders changed");
    if (values.empty())
        return;
    check(decodeReferences(decodeWindows1252(written)) ==
              decodeReferences(expectedText(templateBytes, values)),
          "the page does not decode back to the template and the values");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    std::array<std::string, pomerel::kBoxCount + 1> raw;
    for (std::string &text : raw)
        text = provider.ConsumeRandomLengthString(size);
    const std::string templateBytes = provider.ConsumeRemainingBytesAsString();

    bool allWellFormed = true;
    for (const std::string &text : raw)
        allWellFormed = allWellFormed && decodeUtf8(text).has_value();

    const auto run = [&](bool repair) {
        pomerel::BoxTexts texts;
        for (std::size_t i = 0; i < pomerel::kBoxCount; ++i)
            texts[i] = repair ? repairUtf8(raw[i]) : raw[i];
        const std::string OC = repair ? repairUtf8(raw.back()) : raw.back();
        const pomerel::CvFields fields = pomerel::buildCvFields(OC, texts);
        checkFieldList(fields, OC, texts);

        std::vector<CodePoints> values;
        if (repair) {
            for (const std::string &field : fields)
                values.push_back(*decodeUtf8(field));
        }
        fillAndCheck(templateBytes, fields, values);
    };
    run(true);
    if (!allWellFormed)
        run(false);
    return 0;
}
