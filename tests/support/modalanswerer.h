#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

class QWidget;

// Answers the modal boxes a window opens while a test drives it, from inside their own event
// loops, and keeps what each one said.
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    struct Seen
    {
        QString kind; // "message" or "input"
        QString title;
        QString text;
        bool hasIcon = false;
        QString inputAtStart;
    };

    // An input box gets answer typed and confirmed, or is cancelled when there is none.
    explicit ModalAnswerer(std::optional<QString> answer = std::nullopt);

    const QList<Seen> &seen() const { return m_seen; }

private:
    void answerOpenBox();

    std::optional<QString> m_answer;
    QList<Seen> m_seen;
    QTimer m_timer;
};
