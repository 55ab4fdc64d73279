#include "ui/Prompt.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSpacerItem>

namespace mx615 {

namespace {

// A box as wide as its title (the window manager cuts a title that does not
// fit) and as its message's longest line (so a short text does not wrap
// before its last mark), with room for the advice beneath to read as a few
// lines rather than a column, but never wider than most of the screen.
int boxWidth(const QMessageBox& box, const QString& title, const QString& text, const QString& detail)
{
    const QFontMetrics metrics(box.font());
    QFont bold = box.font();
    bold.setBold(true);
    // Room for the window manager's icon and buttons beside the title.
    const int titleWidth = QFontMetrics(bold).horizontalAdvance(title) + 160;
    int lineWidth = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lineWidth = std::max(lineWidth, metrics.horizontalAdvance(line));
    const int detailWidth = std::min(metrics.horizontalAdvance(detail), 40 * metrics.averageCharWidth() + 200);
    lineWidth = std::max(lineWidth, detailWidth);
    // The icon and the margins beside the text.
    lineWidth += 110;
    int width = std::max(titleWidth, lineWidth);
    if (const QScreen* screen = box.screen())
        width = std::min(width, screen->availableGeometry().width() * 3 / 5);
    return width;
}

}  // namespace

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
    // QMessageBox keeps its own size; a spacer across its grid widens it.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(boxWidth(*box, title, text, detail), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box->exec();
    delete box.data();
}

}  // namespace mx615
