#include "ui/Prompt.h"

#include <QMessageBox>
#include <QPointer>

namespace mx615 {

void MessageBoxPrompt::warning(QWidget* parent, const QString& title, const QString& text, const QString& detail)
{
    // The box belongs to the top-level window, never to the child window that
    // asks for it: the child may be unloaded while the box is open (a transfer
    // completes, a fresh window replaces it), and a box owned by it would be
    // destroyed under its own event loop. If even the top-level window goes,
    // the guard below sees the box gone and does not free it twice.
    QWidget* owner = parent ? parent->window() : nullptr;
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, owner);
    if (!detail.isEmpty())
        box->setInformativeText(detail);
    box->exec();
    delete box.data();
}

}  // namespace mx615
