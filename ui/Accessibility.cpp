#include "ui/Accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>
#include <QTimer>
#include <memory>

namespace mx615 {

namespace {

// A list box as the reader sees it: named like any other control, its entry
// as its value and as its text, its pop-up list and (when it can be typed
// into) its text box as its children, opened by its action.
//
// Orca, the Linux reader, finds the entry of a list only in its text, and
// with Qt 6.4 hears of another entry picked with the arrow keys only as new
// text that is selected as it arrives (watchEntry): the whole entry is the
// text's selection.
class AccessibleList : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleList(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return shown();
        const QString text = QAccessibleWidget::text(t);
        // A list nobody named is still better told by its entry than not at all.
        return t == QAccessible::Name && text.isEmpty() ? shown() : text;
    }

    int childCount() const override { return box()->isEditable() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && box()->isEditable())
            return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (child && child->object() == box()->view())
            return 0;
        if (child && box()->isEditable() && child->object() == box()->lineEdit())
            return 1;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        if (!box()->isEditable())
            return nullptr;
        const QRect text(box()->lineEdit()->mapToGlobal(QPoint(0, 0)), box()->lineEdit()->size());
        return text.contains(x, y) ? child(1) : nullptr;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (box()->view()->isVisible())
            box()->hidePopup();
        else
            box()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // The entry as text, read only, selected whole.
    QString text(int start, int end) const override { return shown().mid(start, end - start); }
    int characterCount() const override { return int(shown().size()); }
    void selection(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
    }
    int selectionCount() const override { return shown().isEmpty() ? 0 : 1; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
    QString shown() const { return box()->isEditable() ? box()->lineEdit()->text() : box()->currentText(); }
};

// Tells the reader of each entry the list shows, as the text it replaces.
void watchEntry(QComboBox* box)
{
    constexpr const char* kWatched = "mx615EntryWatched";
    if (box->property(kWatched).toBool())
        return;
    box->setProperty(kWatched, true);
    auto shown = std::make_shared<QString>(box->currentText());
    QObject::connect(box, &QComboBox::currentTextChanged, box, [box, shown](const QString& text) {
        QAccessibleTextUpdateEvent changed(box, 0, *shown, text);
        *shown = text;
        QAccessible::updateAccessibility(&changed);
    });
}

QAccessibleInterface* programInterfaces(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("QComboBox")) {
        auto* box = static_cast<QComboBox*>(object);
        watchEntry(box);
        return new AccessibleList(box);
    }
    // The area the windows live in is a plain grouping, which a reader passes
    // over: said as a "layered pane" it stood between the main window's title
    // and every window opened in it.
    if (className == QLatin1String("QMdiArea"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    return nullptr;
}

}  // namespace

void InstallAccessibility()
{
    // Factories installed later are asked first, so these come before Qt's own.
    static const bool installed = [] {
        QAccessible::installFactory(programInterfaces);
        return true;
    }();
    (void)installed;
}

void RenewForReader(QWidget* control)
{
    if (!QAccessible::isActive())
        return;
    if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(control))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
}

void AnnounceCurrentCell(QTableWidget* grid)
{
    if (!QAccessible::isActive())
        return;
    // After the grid's own focus notice, so that the cell is what is said last.
    QTimer::singleShot(0, grid, [grid = QPointer<QTableWidget>(grid)] {
        if (!grid || !grid->hasFocus() || !grid->currentItem())
            return;
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid.data());
        QAccessibleTableInterface* cells = table ? table->tableInterface() : nullptr;
        QAccessibleInterface* cell = cells ? cells->cellAt(grid->currentRow(), grid->currentColumn()) : nullptr;
        if (!cell)
            return;
        QAccessibleEvent focus(grid.data(), QAccessible::Focus);
        focus.setChild(table->indexOfChild(cell));
        QAccessible::updateAccessibility(&focus);
    });
}

void TellReader(QWidget* focus, const QString& notice)
{
    if (!focus || !QAccessible::isActive())
        return;
    // The notice stands ahead of the focused thing's name until it is said
    // (a grid's cell) or the focus moves on (any other control).
    if (auto* grid = qobject_cast<QTableWidget*>(focus)) {
        grid->setProperty(kReaderNoticeProperty, notice);
        // The table's cells are made anew for the reader, so that the focus
        // on the current cell is news to it.
        QAccessibleTableModelChangeEvent reset(grid, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&reset);
        AnnounceCurrentCell(grid);
        QTimer::singleShot(1500, grid, [grid] { grid->setProperty(kReaderNoticeProperty, QVariant()); });
        return;
    }
    const QString name = focus->accessibleName();
    focus->setAccessibleName(name.isEmpty() ? notice : notice + QStringLiteral(", ") + name);
    auto restore = std::make_shared<QMetaObject::Connection>();
    *restore = QObject::connect(qApp, &QApplication::focusChanged, focus, [focus, name, restore] {
        focus->setAccessibleName(name);
        QObject::disconnect(*restore);
    });
}

}  // namespace mx615
