// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "help_window/helptopics.h"

#include <QPixmap>
#include <QWidget>
#include <memory>

namespace Ui {
class Form2;
}

// The help window: a reduced picture of the main window whose areas can be clicked, each click
// showing that area's explanation. Closing it deletes it, so the next opening starts afresh on
// the introduction.
class Form2 : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form2)

public:
    explicit Form2(QWidget *parent = nullptr);
    ~Form2() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setUpLook();
    void connectHandlers();

    // The topics' click handlers, each setting the visibility of its controls, then the text.
    void load();
    void showPhotoTopic();
    void showFieldsTopic();
    void showSectionsTopic();
    void showPageCreationTopic();
    void showIntroductionWithBanner();
    void turnIllustrationOver();

    void showInMainTextArea(HelpTopic topic, bool banner);
    void showInMainTextAreaWithoutIllustrations(HelpTopic topic);

    std::unique_ptr<Ui::Form2> ui;
    QPixmap m_background;
};
