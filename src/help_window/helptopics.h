// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The subjects the help window explains, one per clickable area of the main window, plus the
// introduction it opens on.
enum class HelpTopic {
    Introduction,
    Photo,
    Fields,
    Sections,
    PageCreation,
};

// The topic's text, built afresh from its lines: consecutive lines joined by a single carriage
// return, nothing before the first line or after the last. An empty line therefore yields two
// carriage returns in a row, and a text whose last line is empty ends with one.
QString helpText(HelpTopic topic);
