// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The help window's icon at size x size pixels: two yellow serif capitals with a grey shadow on
// a transparent ground, drawn without smoothing in plain 16-colour shades.
QImage helpIcon(int size);
