// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "help_window/helptopics.h"

#include <QKeySequence>
#include <QList>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <cstddef>
#include <functional>
#include <memory>

namespace Ui {
class Form2;
}

class ClickableImage;

// The help window: a reduced picture of the main window whose areas can be clicked, each click
// showing that area's explanation. The arrow keys go through the same explanations, the focus
// staying on the close button. Closing it deletes it, so the next opening starts afresh on the
// introduction.
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
    // One explanation the arrow keys stop at, and the area whose click shows it.
    struct Step
    {
        ClickableImage *area;
        std::function<void()> show;
    };

    void setUpLook();
    void connectHandlers();
    void addStepKeys(const QList<QKeySequence> &keys, int direction);
    void moveThroughSteps(int direction);
    void showStep(std::size_t index);

    // The topics, each setting the visibility of its controls, then the text.
    void showTopic(HelpTopic topic);
    void showPageCreationTopic();
    void turnIllustrationOver();
    void showInMainTextArea(HelpTopic topic, bool banner);

    std::unique_ptr<Ui::Form2> ui;
    QPixmap m_background;
    std::array<Step, 7> m_steps{};
    std::size_t m_step = 0; // the introduction the window opens on
};
