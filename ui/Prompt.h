#pragma once
// Every message box of the program goes through this seam: the program shows a
// warning box, tests install a recorder that answers at once.

#include <QString>
#include <QWidget>

#include "model/ProgramState.h"

namespace mx615 {

class Prompt {
public:
    virtual ~Prompt() = default;
    // A message box with a warning icon and an OK button; returns when closed.
    // parent is the window that asks; the box belongs to its top-level window,
    // so it may outlive the window that asked.
    // detail, when given, is shown beneath the message (the system's reason and
    // what to do about it).
    virtual void warning(QWidget* parent, const QString& title, const QString& text,
                         const QString& detail = {}) = 0;
};

class MessageBoxPrompt : public Prompt {
public:
    void warning(QWidget* parent, const QString& title, const QString& text, const QString& detail) override;
};

inline QString qs(const std::string& utf8) { return QString::fromStdString(utf8); }
inline QString qs(const Bilingual& text, bool chinese) { return QString::fromStdString(text.pick(chinese)); }

}  // namespace mx615
