// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QtGlobal>
#include <optional>

class QWidget;

// Makes a parent's font the application's for as long as it lives, then puts the
// application's back. Qt's line edits and text editors lay out an empty text in the
// application's default face while they are made, before they take their own font: the
// desktop's default face, which a window of classic faces never shows, was loaded for that
// alone, a third of a megabyte with its tables. Made with the parent's font as the default,
// they load a face the window shows anyway. A widget takes its own font in full once made, so
// none keeps anything of the parent's. Widgets are made on the window thread, the only one of
// the program's that asks for fonts.
class ParentFontAsDefault
{
public:
    explicit ParentFontAsDefault(const QWidget *parent);
    ~ParentFontAsDefault();
    Q_DISABLE_COPY_MOVE(ParentFontAsDefault)

private:
    std::optional<QFont> m_saved;
};
