#include "support/modalanswerer.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

ModalAnswerer::ModalAnswerer(std::optional<QString> answer)
    : m_answer(std::move(answer))
{
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::answerOpenBox);
    m_timer.start(5);
}

void ModalAnswerer::answerOpenBox()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible())
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        m_seen.append({QStringLiteral("message"),
                       box->windowTitle(),
                       box->text(),
                       box->icon() != QMessageBox::NoIcon,
                       {}});
        box->accept();
    } else if (auto *input = qobject_cast<QInputDialog *>(modal)) {
        m_seen.append({QStringLiteral("input"), input->windowTitle(), input->labelText(), false,
                       input->textValue()});
        if (m_answer) {
            input->setTextValue(*m_answer);
            input->accept();
        } else {
            input->reject();
        }
    }
}
