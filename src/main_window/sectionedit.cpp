// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/sectionedit.h"

#include "controls/parentfontasdefault.h"

// The temporary lasts until the editor is made, whether it is made or not.
SectionEdit::SectionEdit(QWidget *parent)
    : SectionEdit(parent, ParentFontAsDefault(parent))
{
}

SectionEdit::SectionEdit(QWidget *parent, const ParentFontAsDefault &)
    : QPlainTextEdit(parent)
{
}
