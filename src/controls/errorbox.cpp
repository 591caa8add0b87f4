// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/errorbox.h"

#include "generation/error.h"

#include <QMessageBox>

void ErrorBox::show(const pomerel::Error &error, QWidget *parent)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Pomerel"),
                    QString::fromStdString(error.report()), QMessageBox::Ok, parent);
    box.exec();
}
