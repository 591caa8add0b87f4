// SPDX-License-Identifier: GPL-3.0-or-later

#include "help_window/form2.h"

#include "assets/assets.h"
#include "assets/fonts.h"
#include "ui_form2.h"

#include <QPainter>

using namespace Qt::StringLiterals;

// The help pictures live in the static assets library: their registration has to be pulled in by
// name, once, before the first window uses them. Q_INIT_RESOURCE cannot sit inside a namespace.
static void initHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace {

void ensureHelpResources()
{
    static const bool registered = [] {
        initHelpResources();
        return true;
    }();
    Q_UNUSED(registered)
}

} // namespace

Form2::Form2(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::Form2>())
{
    ensureHelpResources();
    substituteClassicFonts();
    // Closing the help window unloads it: everything it shows is discarded.
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    setUpLook();
    connectHandlers();
    load();
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
    connect(ui->Image1, &ClickableImage::clicked, this, &Form2::showPhotoTopic);
    connect(ui->Image2, &ClickableImage::clicked, this, &Form2::showFieldsTopic);
    connect(ui->Image3, &ClickableImage::clicked, this, &Form2::showSectionsTopic);
    connect(ui->Image4, &ClickableImage::clicked, this, &Form2::showPageCreationTopic);
    connect(ui->Image5, &ClickableImage::clicked, this, &Form2::showIntroductionWithBanner);
    connect(ui->Image7, &ClickableImage::clicked, this, &Form2::turnIllustrationOver);
    connect(ui->Command1, &QPushButton::clicked, this, &QWidget::close);
}

// The background screenshot is drawn once at the top left at its own size; the grey back colour
// shows around it.
void Form2::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}

void Form2::load()
{
    showInMainTextArea(HelpTopic::Introduction, false);
}

void Form2::showPhotoTopic()
{
    showInMainTextAreaWithoutIllustrations(HelpTopic::Photo);
}

void Form2::showFieldsTopic()
{
    showInMainTextAreaWithoutIllustrations(HelpTopic::Fields);
}

void Form2::showSectionsTopic()
{
    showInMainTextAreaWithoutIllustrations(HelpTopic::Sections);
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

// The only topic with the banner. It leaves the illustrations alone, so one still shown keeps
// covering the text.
void Form2::showIntroductionWithBanner()
{
    showInMainTextArea(HelpTopic::Introduction, true);
}

void Form2::turnIllustrationOver()
{
    ui->Image7->hide();
    ui->Image6->show();
}

void Form2::showInMainTextArea(HelpTopic topic, bool banner)
{
    ui->Label1->show();
    ui->Label3->hide();
    ui->Label4->setVisible(banner);
    ui->Label1->setText(helpText(topic));
}

void Form2::showInMainTextAreaWithoutIllustrations(HelpTopic topic)
{
    ui->Image7->hide();
    ui->Image6->hide();
    showInMainTextArea(topic, false);
}
