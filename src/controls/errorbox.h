// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace pomerel {
class Error;
}

// How the program reports an error: a modal box titled "Pomerel" that gives the error's
// number and description, with an OK button.
class ErrorBox
{
public:
    ErrorBox() = delete;

    // Returns once the user has closed the box.
    static void show(const pomerel::Error &error, QWidget *parent);
};
