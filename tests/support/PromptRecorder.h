#pragma once
// Stands in for the message boxes: records every message and answers at once.

#include <QString>
#include <QStringList>
#include <functional>

#include "ui/Prompt.h"

namespace mx615::test {

class PromptRecorder : public Prompt {
public:
    struct Message {
        QString title;
        QString text;
        QString detail;
    };

    void warning(QWidget*, const QString& title, const QString& text, const QString& detail) override
    {
        messages.push_back({title, text, detail});
        if (onMessage)
            onMessage(messages.back());
    }

    QStringList texts() const
    {
        QStringList list;
        for (const Message& m : messages)
            list << m.text;
        return list;
    }
    QString lastText() const { return messages.isEmpty() ? QString() : messages.back().text; }
    void clear() { messages.clear(); }

    QList<Message> messages;
    // Runs while the "box" is up, before warning() returns.
    std::function<void(const Message&)> onMessage;
};

}  // namespace mx615::test
