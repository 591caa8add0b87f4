// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The windows ask for their fonts by the classic names ("MS Sans Serif", "Arial"). Where those
// are missing, a metric-compatible face stands in, through QFont's substitutions, so that
// every caption keeps its size and wraps where it should. Safe to call more than once.
void substituteClassicFonts();
