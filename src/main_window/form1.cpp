// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/form1.h"

#include "assets/assets.h"
#include "assets/fonts.h"
#include "controls/accessiblewindow.h"
#include "controls/drivelistbox.h"
#include "controls/errorbox.h"
#include "controls/filelistbox.h"
#include "controls/folderlistbox.h"
#include "controls/nativepath.h"
#include "generation/error.h"
#include "generation/paths.h"
#include "help_window/form2.h"
#include "main_window/facebutton.h"
#include "ui_form1.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QShortcut>
#include <QTextDocument>
#include <QUrl>
#include <array>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>

namespace {

const QString kTitle = QStringLiteral("Pomerel");
const QColor kTeal(0, 128, 128);

// An editor's text with every line end as CR LF, the way the page generation expects it.
// The raw text keeps what the user typed (no-break spaces included); its blocks are apart by
// paragraph separators, and Shift+Enter leaves line separators.
// Built in one pass: QString::replace() with a longer text moves the rest of the string for
// each batch of matches, which grows with the square of a pasted text's size.
QString sectionText(const QPlainTextEdit &editor)
{
    const QString raw = editor.document()->toRawText();
    QString text;
    text.reserve(raw.size() + raw.size() / 32);
    qsizetype start = 0;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != QChar::ParagraphSeparator && c != QChar::LineSeparator)
            continue;
        text.append(QStringView(raw).sliced(start, i - start));
        text.append(u"\r\n");
        start = i + 1;
    }
    text.append(QStringView(raw).sliced(start));
    return text;
}

// Makes exactly one folder; an existing one, a missing parent, a refused name or missing
// rights are reported with their usual numbers.
void makeFolder(const QString &path)
{
    std::error_code code;
    if (std::filesystem::create_directory(NativePath::toFsPath(path), code))
        return;
    if (!code)
        code = std::make_error_code(std::errc::file_exists);
    throw pomerel::errorFromSystem(code, path.toStdString());
}

// BMP, JPEG and GIF at least; an animated GIF gives its first frame.
QPixmap loadPicture(const QString &path)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (!image.isNull())
        return QPixmap::fromImage(image);
    const bool missing = reader.error() == QImageReader::FileNotFoundError;
    throw pomerel::Error(missing ? pomerel::ErrorNumber::FileNotFound
                                 : pomerel::ErrorNumber::InvalidPicture,
                         path.toStdString());
}

// A one-line box lays out its whole text again on every key. Past a few thousand characters,
// of which it shows a few dozen, it skips the kerning of scripts that need no shaping, which
// halves that work; shorter texts look exactly as they always did.
void keepTypingQuickWhenLong(QLineEdit *box)
{
    constexpr qsizetype kLongText = 10000;
    const bool quick = box->text().size() > kLongText;
    QFont font = box->font();
    if (quick == ((font.styleStrategy() & QFont::PreferNoShaping) != 0))
        return;
    font.setStyleStrategy(quick ? QFont::PreferNoShaping : QFont::PreferDefault);
    box->setFont(font);
}

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::Form1>())
    , m_background(Assets::mainBackground())
{
    substituteClassicFonts();
    announceAsWindow<Form1>();
    ui->setupUi(this);
    // paintEvent covers every pixel: the picture, and teal wherever it does not reach.
    setAttribute(Qt::WA_OpaquePaintEvent);
    colourLabels();
    ui->Command6->setFace(kTeal);

    // Designer files only hold whole point sizes.
    QFont message = ui->Label7->font();
    message.setPointSizeF(14.25);
    ui->Label7->setFont(message);

    ui->Image1->setPixmap(Assets::helpGlyph());
    const QCursor pointer = Assets::pointerCursor();
    const std::initializer_list<QWidget *> pointed{ui->Command1, ui->Command2, ui->Command3,
                                                   ui->Command4, ui->Command5, ui->Command6,
                                                   ui->Image1};
    for (QWidget *widget : pointed)
        widget->setCursor(pointer);

    connectHandlers();
    for (QLineEdit *box : lineBoxes())
        connect(box, &QLineEdit::textChanged, this, [box] { keepTypingQuickWhenLong(box); });
    ui->Text6->setFocus();

    // The load step: the resource folder is wherever the program was started from.
    m_depart = QString::fromStdString(pomerel::currentResourceFolder());
}

Form1::~Form1()
{
    // An open help window goes with the program's main window.
    delete m_help.data();
}

void Form1::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), kTeal);
    painter.drawImage(0, 0, m_background);
}

// Black captions: on strips of the buttons' face colour in the identity column, straight onto
// the background for the two messages.
void Form1::colourLabels()
{
    for (QLabel *caption :
         {ui->Label1, ui->Label2, ui->Label3, ui->Label4, ui->Label5, ui->Label6, ui->Label8}) {
        QPalette colours = caption->palette();
        colours.setColor(QPalette::WindowText, Qt::black);
        colours.setColor(QPalette::Window, FaceButton::standardFace());
        caption->setPalette(colours);
        caption->setAutoFillBackground(true);
    }
    for (QLabel *message : {ui->Label7, ui->Label9}) {
        QPalette colours = message->palette();
        colours.setColor(QPalette::WindowText, Qt::black);
        message->setPalette(colours);
    }
}

void Form1::setShown(std::initializer_list<QWidget *> widgets, bool shown)
{
    for (QWidget *widget : widgets)
        widget->setVisible(shown);
}

// Every handler reports its failure, and the window carries on as the failing step left it.
template<typename Sender, typename Signal, typename Handler>
void Form1::handle(Sender *sender, Signal signal, Handler handler)
{
    connect(sender, signal, this, [this, handler] {
        std::optional<pomerel::Error> failure;
        try {
            handler();
        } catch (const pomerel::Error &error) {
            failure = error;
        } catch (const std::bad_alloc &) {
            failure = pomerel::Error(pomerel::ErrorNumber::OutOfMemory);
        } catch (const std::system_error &error) {
            failure = pomerel::errorFromSystem(error.code(), {});
        } catch (const std::exception &) {
            failure = pomerel::Error(pomerel::ErrorNumber::InvalidCall);
        }
        if (failure)
            ErrorBox::show(*failure, this);
    });
}

void Form1::connectHandlers()
{
    const std::array<std::pair<QPushButton *, QPlainTextEdit *>, 5> sections{{
        {ui->Command1, ui->Text1},
        {ui->Command2, ui->Text2},
        {ui->Command3, ui->Text3},
        {ui->Command4, ui->Text4},
        {ui->Command5, ui->Text5},
    }};
    for (const auto &[button, editor] : sections)
        connect(button, &QPushButton::clicked, this, [this, editor] { showSection(editor); });

    // A folder the user cannot open is reported like every other failure.
    for (FolderListBox *folders : {ui->dirList, ui->dirList1})
        connect(folders, &FolderListBox::openFailed, this,
                [this](const pomerel::Error &error) { ErrorBox::show(error, this); });

    handle(ui->DrvList, &DriveListBox::driveChanged,
           [this] { changeDrive(ui->DrvList, ui->dirList); });
    handle(ui->dirList, &FolderListBox::pathChanged,
           [this] { ui->filList->setPath(ui->dirList->path()); });
    handle(ui->filList, &FileListBox::fileSelected, [this] { selectPhoto(); });

    handle(ui->DrvList1, &DriveListBox::driveChanged,
           [this] { changeDrive(ui->DrvList1, ui->dirList1); });
    handle(ui->dirList1, &FolderListBox::pathChanged, [this] { followDestinationFolder(); });
    handle(ui->Command7, &QPushButton::clicked, [this] { addFolder(); });

    connect(ui->Command6, &QPushButton::clicked, this, &Form1::chooseDestination);
    handle(ui->Command8, &QPushButton::clicked, [this] { makePage(); });
    connect(ui->Command9, &QPushButton::clicked, this, &Form1::startAgain);
    connect(ui->Command10, &QPushButton::clicked, this, [] {
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });
    handle(ui->Image1, &ClickableImage::clicked, [this] { openHelp(); });
    // F1, the desktops' help key, does what a click on the help picture does, while the
    // picture is shown: the picture itself takes no focus.
    handle(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, [this] {
        if (ui->Image1->isVisible())
            openHelp();
    });
}

// Section buttons: the five editors share one place, and one of them shows at a time.
void Form1::showSection(QPlainTextEdit *editor)
{
    for (QPlainTextEdit *each : {ui->Text1, ui->Text2, ui->Text3, ui->Text4, ui->Text5})
        each->setVisible(each == editor);
    editor->setFocus();
}

// Both pickers' drive lists. Setting the folder list's path runs its change handler before
// it returns. A drive that cannot be read sends the drive list back, without a word, to the
// drive the folder list still shows; that runs this handler once more.
void Form1::changeDrive(DriveListBox *drives, FolderListBox *folders)
{
    try {
        folders->setPath(drives->drive());
    } catch (const pomerel::Error &) {
        drives->setDrive(folders->path());
    }
}

// The picture is loaded before anything changes, so a file that is not a picture leaves the
// previous choice and its preview as they were.
void Form1::selectPhoto()
{
    const QString name = ui->filList->fileName();
    if (name.isEmpty())
        return;
    const QString path = NativePath::join(ui->filList->path(), name);
    const QPixmap picture = loadPicture(path);
    m_OC = name;
    m_OB = path;
    ui->Picture1->setPicture(picture);
}

// The destination is the folder the list shows; the file list has just been refilled, so
// its selection is empty and oa ends with one separator.
void Form1::followDestinationFolder()
{
    ui->filList1->setPath(ui->dirList1->path());
    m_oa = NativePath::join(ui->filList1->path(), ui->filList1->fileName());
}

// Makes a folder inside the destination (or the current folder while none was chosen) and
// opens it in the destination lists, which makes it the destination: the folder the system
// made, under the name it gave it.
void Form1::addFolder()
{
    const QString answer = askFolderName();
    if (answer.isEmpty())
        return;
    const QString name = NativePath::nameAsCreated(answer);
    if (name.isEmpty())
        throw pomerel::Error(pomerel::ErrorNumber::BadFileName, answer.toStdString());
    const QString path = m_oa + name;
    makeFolder(path);
    ui->dirList1->setPath(QFileInfo(path).absoluteFilePath());
    ui->dirList1->refresh();
}

QString Form1::askFolderName()
{
    QInputDialog dialog(this);
    dialog.setWindowTitle(kTitle);
    dialog.setLabelText(
        QStringLiteral("Veuillez rentrer le nom du répertoire sans espace à créer.  Merci"));
    // A French program answers in French, whatever language Qt itself was given.
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

// "Création de la page.": from Editing to ChoosingDestination.
void Form1::chooseDestination()
{
    // The order counts: hiding the control with the focus passes it to the next one shown.
    setShown({ui->Image1, ui->Text1, ui->Text2, ui->Text3, ui->Text4, ui->Text5, ui->dirList,
              ui->DrvList, ui->filList},
             false);
    setShown({ui->dirList1, ui->DrvList1, ui->filList1}, true);
    setShown({ui->Command6}, false);
    setShown({ui->Command7, ui->Command8, ui->Label7}, true);
}

// "SUITE": the generation run. OC keeps the default the run gave it, even when a later step
// failed.
void Form1::makePage()
{
    pomerel::RunData run{m_depart.toStdString(), m_oa.toStdString(), m_OB.toStdString(),
                         m_OC.toStdString(), boxTexts()};
    const auto keepOC = qScopeGuard([&] { m_OC = QString::fromStdString(run.OC); });
    pomerel::generatePage(run, *this);
}

// Text6 to Text14, in order.
std::array<QLineEdit *, 9> Form1::lineBoxes() const
{
    return {ui->Text6,  ui->Text7,  ui->Text8,  ui->Text9, ui->Text10,
            ui->Text11, ui->Text12, ui->Text13, ui->Text14};
}

pomerel::BoxTexts Form1::boxTexts() const
{
    pomerel::BoxTexts texts;
    std::size_t index = 0;
    for (const QPlainTextEdit *editor : {ui->Text1, ui->Text2, ui->Text3, ui->Text4, ui->Text5})
        texts[index++] = sectionText(*editor).toStdString();
    for (const QLineEdit *box : lineBoxes())
        texts[index++] = box->text().toStdString();
    return texts;
}

void Form1::warn(std::string_view message)
{
    QMessageBox box(QMessageBox::NoIcon, kTitle, QString::fromUtf8(message), QMessageBox::Ok, this);
    box.exec();
}

// From ChoosingDestination to Finished.
void Form1::showFinished()
{
    setShown({ui->Command8, ui->dirList1, ui->DrvList1, ui->filList1, ui->Command6, ui->Command7,
              ui->Label7},
             false);
    setShown({ui->Label9, ui->Command9, ui->Command10}, true);
}

void Form1::openInDefaultBrowser(const std::string &page)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page))))
        throw pomerel::Error(pomerel::ErrorNumber::FileNotFound, page);
}

// "Refaire": from Finished back to Editing, everything typed and chosen kept.
void Form1::startAgain()
{
    setShown({ui->Command9, ui->Command10, ui->Text2, ui->Text3, ui->Text4, ui->Text5, ui->dirList1,
              ui->DrvList1, ui->filList1, ui->Command7, ui->Label9},
             false);
    setShown({ui->Image1, ui->Text1, ui->dirList, ui->DrvList, ui->filList, ui->Command6}, true);
}

// The help window is a window of its own, so it stays open after this one is closed. It
// deletes itself when closed; the next click makes it afresh, on its introduction.
void Form1::openHelp()
{
    if (!m_help)
        m_help = new Form2;
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}
