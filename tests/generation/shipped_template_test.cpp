// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/browser.h"
#include "generation/generation.h"
#include "generation/paths.h"
#include "test_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <regex>

namespace {

using namespace testing_support;

const std::string &shippedTemplate()
{
    static const std::string bytes =
        readFile(std::filesystem::path(POMEREL_RESOURCE_DIR) / "brt.ggg");
    return bytes;
}

// Slot n holds "[n]", so the page shows where each slot went.
pomerel::CvFields markedFields()
{
    pomerel::CvFields fields;
    for (std::size_t slot = 0; slot < fields.size(); ++slot)
        fields[slot] = std::string("[").append(std::to_string(slot)).append("]");
    return fields;
}

TEST(ShippedTemplate, IsPlainWindows1252TextWithCrLfLines)
{
    const std::string &bytes = shippedTemplate();
    ASSERT_FALSE(bytes.empty());
    // Accented words are written as entities, so every byte is ASCII.
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at " << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at " << i;
        }
    }
    EXPECT_TRUE(bytes.ends_with("\r\n"));
    EXPECT_NE(bytes.find("<!DOCTYPE html>"), std::string::npos);
    EXPECT_NE(bytes.find("<html lang=\"fr\""), std::string::npos);
    EXPECT_NE(bytes.find("<meta charset=\"windows-1252\">"), std::string::npos);
    EXPECT_NE(bytes.find("<meta name=\"viewport\""), std::string::npos);
    EXPECT_NE(bytes.find("size: A4"), std::string::npos);
}

TEST(ShippedTemplate, HasAtMostTwentySevenPlaceholdersAndNeedsNoNetworkNorScript)
{
    const std::string &bytes = shippedTemplate();
    EXPECT_LE(std::count(bytes.begin(), bytes.end(), '*'), 27);
    for (const char *forbidden : {"<script", "http:", "https:", "//", "@import", "<link"})
        EXPECT_EQ(bytes.find(forbidden), std::string::npos) << forbidden;
}

TEST(ShippedTemplate, RefersOnlyToPicturesTheRunCopiesBesideThePage)
{
    const std::string &bytes = shippedTemplate();
    const std::regex url(R"re(url\("([^"]*)"\))re");
    std::set<std::string> pictures;
    for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), url);
         it != std::sregex_iterator(); ++it)
        pictures.insert((*it)[1]);
    EXPECT_EQ(pictures, (std::set<std::string>{"bandeau.gif", "puce.gif"}));
}

struct PlacementCase
{
    std::string name;
    std::string expected; // markup the filled page holds
};

class ShippedTemplatePlacement : public testing::TestWithParam<PlacementCase>
{
};

TEST_P(ShippedTemplatePlacement, PutsEachSlotWhereItBelongs)
{
    const std::string page = pageFor(shippedTemplate(), markedFields());
    EXPECT_NE(page.find(GetParam().expected), std::string::npos) << GetParam().expected;
}

INSTANTIATE_TEST_SUITE_P(
    Slots, ShippedTemplatePlacement,
    testing::Values(
        PlacementCase{"PhotoFromThePagesFolder", "style=\"--photo: url(&quot;[0]&quot;)\""},
        // The name opens the page, ahead of everything a screen reader meets after it; the
        // heading keeps its "Curriculum vitae" line when no name is typed.
        PlacementCase{"NameInTheHeading", "<h1><span class=\"entete\">Curriculum vit&aelig;</span> "
                                          "<span class=\"nom\" id=\"nom\">[1]</span></h1>"},
        PlacementCase{"PhotoNamedAfterThePerson",
                      "<div class=\"photo\" role=\"img\" aria-labelledby=\"photo-de nom\"></div>"
                      "\r\n<span id=\"photo-de\" hidden>Photo de</span>"},
        PlacementCase{"SecondNameLine", "<p class=\"ligne\">[2]</p>"},
        PlacementCase{"ProfessionLines",
                      "<p class=\"metier\">[3]</p>\r\n<p class=\"metier\">[4]</p>"},
        PlacementCase{"CaptionsBesideTheirDetails",
                      "<div><dt>[5]</dt><dd>[6]</dd></div>\r\n<div><dt>[7]</dt><dd>[8]</dd></div>"
                      "\r\n<div><dt>[9]</dt><dd>[10]</dd></div>"},
        PlacementCase{"Address", "<p><span>[11]</span><span>[12]</span></p>\r\n</address>"},
        PlacementCase{"Presentation",
                      "<h2>Pr&eacute;sentation</h2><div class=\"texte\">[13]</div>"},
        PlacementCase{"Experiences", "<h2>Exp&eacute;riences</h2><div class=\"texte\">[14]</div>"},
        PlacementCase{"Formations", "<h2>Formations</h2><div class=\"texte\">[15]</div>"},
        PlacementCase{"Interests",
                      "<h2>Centres d'int&eacute;r&ecirc;t</h2><div class=\"texte\">[16]</div>"},
        PlacementCase{"Miscellaneous", "<h2>Divers</h2><div class=\"texte\">[17]</div>"}),
    CaseName());

TEST(ShippedTemplate, EmptyValuesLeaveElementsTheStyleSheetHides)
{
    // Each value is the only content of its element, so ":empty" hides what was not given:
    // a caption never shows without its detail, and there is no punctuation to strand.
    pomerel::CvFields fields;
    fields[0] = "logo.jpg";
    const std::string page = pageFor(shippedTemplate(), fields);
    EXPECT_NE(page.find("<dt></dt><dd></dd>"), std::string::npos);
    EXPECT_NE(page.find("<div class=\"texte\"></div>"), std::string::npos);
    EXPECT_NE(page.find("<span class=\"nom\" id=\"nom\"></span></h1>"), std::string::npos);
    for (const char *rule : {"dt:empty", "dd:empty", ".texte:empty", "section:has(> .texte:empty)"})
        EXPECT_NE(page.find(rule), std::string::npos) << rule;
}

TEST(ShippedTemplate, WholeRunWritesAPageWithTheTypedValues)
{
    const TempFolder root("pomerel-shipped");
    const std::filesystem::path depart = root.makeFolder("Pomerel");
    makeResources(depart, shippedTemplate());
    writeFile(depart / "puce.gif", "marker");
    const std::filesystem::path oa = root.makeFolder("CV");
    pomerel::RunData data;
    data.depart = utf8Of(depart);
    data.oa = utf8Of(oa) + pomerel::separator();
    data.texts[5] = "Zoé Łoś";
    data.texts[0] = "Bonjour\r\nà tous";
    FakeWindow window;
    pomerel::generatePage(data, window, "C:\\absent\\browser.exe");

    const std::string page = readFile(oa / "CV.html");
    EXPECT_NE(page.find("id=\"nom\">Zo\xE9 &#321;o&#347;</span></h1>"), std::string::npos);
    EXPECT_NE(page.find("url(&quot;logo.jpg&quot;)"), std::string::npos);
    EXPECT_NE(page.find("<div class=\"texte\">Bonjour<BR>\n\xE0 tous</div>"), std::string::npos);
    EXPECT_EQ(namesIn(oa),
              (std::set<std::string>{"CV.html", "bandeau.gif", "logo.jpg", "puce.gif"}));
}

} // namespace
