#include "app/Prompt.h"

#include <QMessageBox>

namespace mx615 {

void MessageBoxPrompt::warning(QWidget* parent, const QString& title, const QString& text, const QString& detail)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    if (!detail.isEmpty())
        box.setInformativeText(detail);
    box.exec();
}

}  // namespace mx615
