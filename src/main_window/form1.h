// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "generation/generation.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <initializer_list>
#include <memory>

namespace Ui {
class Form1;
}

class DriveListBox;
class FolderListBox;
class Form2;
class QLineEdit;
class QPlainTextEdit;

// The main window: the CV's texts, the photo and destination pickers, and the three workflow
// states (Editing, ChoosingDestination, Finished), which are nothing but the controls shown.
class Form1 : public QWidget, private pomerel::GenerationWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // The resource folder, fixed when the window is made.
    const QString &depart() const { return m_depart; }
    // The destination folder, with one trailing separator once chosen.
    const QString &oa() const { return m_oa; }
    // The chosen photo's full path and bare name.
    const QString &OB() const { return m_OB; }
    const QString &OC() const { return m_OC; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static void setShown(std::initializer_list<QWidget *> widgets, bool shown);

    void colourLabels();

    template<typename Sender, typename Signal, typename Handler>
    void handle(Sender *sender, Signal signal, Handler handler);

    void connectHandlers();
    void showSection(QPlainTextEdit *editor);
    void changeDrive(DriveListBox *drives, FolderListBox *folders);
    void selectPhoto();
    void followDestinationFolder();
    void addFolder();
    QString askFolderName();
    void chooseDestination();
    void makePage();
    void startAgain();
    void openHelp();
    std::array<QLineEdit *, 9> lineBoxes() const;
    pomerel::BoxTexts boxTexts() const;

    // What a generation run asks of the window.
    void warn(std::string_view message) override;
    void showFinished() override;
    void openInDefaultBrowser(const std::string &page) override;

    std::unique_ptr<Ui::Form1> ui;
    const QImage m_background; // decoded once, as the window is made
    QString m_depart;
    QString m_oa;
    QString m_OB;
    QString m_OC;
    QPointer<Form2> m_help;
};
