// SPDX-License-Identifier: GPL-3.0-or-later

#include "help_window/form2.h"

#include "assets/assets.h"
#include "assets/fonts.h"
#include "controls/accessiblewindow.h"
#include "ui_form2.h"

#include <QAccessible>
#include <QPainter>
#include <QShortcut>

using namespace Qt::StringLiterals;

Form2::Form2(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::Form2>())
{
    Assets::registerPictures(); // the form's own pictures are among them
    substituteClassicFonts();
    announceAsWindow<Form2>();
    // Closing the help window unloads it: everything it shows is discarded.
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    setUpLook();
    connectHandlers();
    showInMainTextArea(HelpTopic::Introduction, false);
}

Form2::~Form2() = default;

void Form2::setUpLook()
{
    m_background.load(u":/help/background.png"_s);
    // The window's ground is the button face. (Setting the background role instead would pass
    // it on to the labels, whose white ground would turn grey too.)
    QPalette ground = palette();
    ground.setColor(QPalette::Window, ground.color(QPalette::Button));
    setPalette(ground);

    QIcon icon(u":/help/helpicon.png"_s);
    icon.addFile(u":/help/helpicon16.png"_s);
    setWindowIcon(icon);

    // The pointer icon over what reacts to a click, except the sections picture; the standard
    // arrow elsewhere.
    const QCursor pointer = Assets::pointerCursor();
    const std::initializer_list<QWidget *> pointed{ui->Image1, ui->Image2, ui->Image4,
                                                   ui->Image5, ui->Image7, ui->Command1};
    for (QWidget *widget : pointed)
        widget->setCursor(pointer);

    // Designer files hold whole point sizes only.
    QFont invitation = ui->Label2->font();
    invitation.setPointSizeF(13.5);
    ui->Label2->setFont(invitation);
}

void Form2::connectHandlers()
{
    // The arrow keys' order: the introduction the window opens on, the help picture's own
    // introduction, the main window's areas from the photo to the page creation, and last the
    // illustration's turn, which follows the page creation.
    m_steps = {{
        {nullptr, [this] { showTopic(HelpTopic::Introduction); }},
        {ui->Image5, [this] { showInMainTextArea(HelpTopic::Introduction, true); }},
        {ui->Image1, [this] { showTopic(HelpTopic::Photo); }},
        {ui->Image2, [this] { showTopic(HelpTopic::Fields); }},
        {ui->Image3, [this] { showTopic(HelpTopic::Sections); }},
        {ui->Image4, [this] { showPageCreationTopic(); }},
        {ui->Image7, [this] { turnIllustrationOver(); }},
    }};
    for (std::size_t index = 0; index < m_steps.size(); ++index) {
        if (ClickableImage *area = m_steps[index].area)
            connect(area, &ClickableImage::clicked, this, [this, index] { showStep(index); });
    }
    // Shortcuts rather than key handling: the button, which keeps the focus, would take the
    // arrows to move the focus.
    addStepKeys({QKeySequence(Qt::Key_Down), QKeySequence(Qt::Key_Right)}, 1);
    addStepKeys({QKeySequence(Qt::Key_Up), QKeySequence(Qt::Key_Left)}, -1);
    connect(ui->Command1, &QPushButton::clicked, this, &QWidget::close);
}

void Form2::addStepKeys(const QList<QKeySequence> &keys, int direction)
{
    auto *shortcut = new QShortcut(this);
    shortcut->setKeys(keys);
    connect(shortcut, &QShortcut::activated, this,
            [this, direction] { moveThroughSteps(direction); });
}

// From the step last shown, whether by a key or a click; the keys stop at either end.
void Form2::moveThroughSteps(int direction)
{
    const auto next = static_cast<qsizetype>(m_step) + direction;
    if (next >= 0 && next < static_cast<qsizetype>(m_steps.size()))
        showStep(static_cast<std::size_t>(next));
}

void Form2::showStep(std::size_t index)
{
    const QString label1 = ui->Label1->text();
    const QString label3 = ui->Label3->text();
    m_steps[index].show();
    m_step = index;
    // A label tells screen readers of a new text itself. The one showing the explanation is
    // announced here when its text stays (the banner's introduction, the turn, a topic chosen
    // again), so that every step is read out.
    QLabel *shown = ui->Label3->isHidden() ? ui->Label1 : ui->Label3;
    if (shown->text() == (shown == ui->Label1 ? label1 : label3)) {
        QAccessibleEvent event(shown, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

// The background screenshot is drawn once at the top left at its own size; the grey back colour
// shows around it.
void Form2::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}

// The page-creation text goes below, and the first illustration covers the main text area.
// Image6 is left as it is: Image7 lies in front of it.
void Form2::showPageCreationTopic()
{
    ui->Label1->hide();
    ui->Label3->show();
    ui->Label4->hide();
    ui->Label3->setText(helpText(HelpTopic::PageCreation));
    ui->Image7->show();
}

void Form2::turnIllustrationOver()
{
    ui->Image7->hide();
    ui->Image6->show();
}

// The banner goes with the introduction reached by its picture only. That one leaves the
// illustrations alone, so one still shown keeps covering the text.
void Form2::showInMainTextArea(HelpTopic topic, bool banner)
{
    ui->Label1->show();
    ui->Label3->hide();
    ui->Label4->setVisible(banner);
    ui->Label1->setText(helpText(topic));
}

// The introduction as the window opens on it (the arrow keys come back to it from any topic),
// and the main window's areas but the page creation.
void Form2::showTopic(HelpTopic topic)
{
    ui->Image7->hide();
    ui->Image6->hide();
    showInMainTextArea(topic, false);
}
