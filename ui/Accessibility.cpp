#include "ui/Accessibility.h"
#include "ui/GridEditing.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace mx615 {

namespace {

// A control's name while a notice stands ahead of it.
class OwnName : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    QString name;
};

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

// A menu item that has keys of its own ("Read from radio", Ctrl+R). Qt tells
// the reader its keys as a single text, which Orca takes for the path through
// the menus and does not say; said as "access key;path;keys" the keys are
// read with the item. Otherwise it is the item as Qt's own interface tells it.
class AccessibleKeyedItem : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit AccessibleKeyedItem(QAction* action) : action_(action) {}

    bool isValid() const override { return action_ && menu(); }
    QObject* object() const override { return action_; }
    QWindow* window() const override
    {
        QMenu* owner = menu();
        return owner ? owner->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(menu()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QRect rect() const override
    {
        QMenu* owner = menu();
        if (!owner || !action_)
            return {};
        const QRect r = owner->actionGeometry(action_);
        return QRect(owner->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        QMenu* owner = menu();
        if (!owner || !action_)
            return s;
        s.invisible = !owner->isVisible() || !action_->isVisible();
        s.focusable = true;
        s.focused = owner->activeAction() == action_;
        s.disabled = !action_->isEnabled();
        s.checkable = action_->isCheckable();
        s.checked = action_->isChecked();
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (!action_)
            return {};
        if (t == QAccessible::Name) {
            // The caption without its access-key marker ("&&" is a plain "&").
            QString name = action_->text();
            for (int i = 0; i < name.size(); ++i)
                if (name.at(i) == QLatin1Char('&'))
                    name.remove(i, 1);
            return name.trimmed();
        }
        if (t == QAccessible::Accelerator)
            return keys();
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && action_ && action_->isEnabled())
            action_->trigger();
    }
    QStringList keyBindingsForAction(const QString& name) const override
    {
        if (name != pressAction() || !action_)
            return {};
        return {QKeySequence::mnemonic(action_->text()).toString(QKeySequence::NativeText), QString(), keys()};
    }

private:
    // The menu the item is shown in: the open one where it is in several.
    QMenu* menu() const
    {
        if (!action_)
            return nullptr;
        QMenu* first = nullptr;
        for (QObject* owner : action_->associatedObjects())
            if (auto* m = qobject_cast<QMenu*>(owner)) {
                if (m->isVisible())
                    return m;
                if (!first)
                    first = m;
            }
        return first;
    }
    QString keys() const { return action_ ? action_->shortcut().toString(QKeySequence::NativeText) : QString(); }

    QPointer<QAction> action_;
};

constexpr const char* kSpokenStatus = "mx615SpokenStatus";

// A status line whose changes are told as notifications: a reader speaks a
// notification as it appears, wherever the focus is.
class AccessibleStatus : public QAccessibleWidget {
public:
    explicit AccessibleStatus(QLabel* label) : QAccessibleWidget(label, QAccessible::Notification) {}
    // Empty, it is plain text: a reader would announce an empty notification
    // as the window opens.
    QAccessible::Role role() const override
    {
        return label()->text().isEmpty() ? QAccessible::StaticText : QAccessible::Notification;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return label()->text();
        return QAccessibleWidget::text(t);
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
};

QAccessibleInterface* programInterfaces(const QString& className, QObject* object)
{
    if (auto* action = qobject_cast<QAction*>(object)) {
        const QObjectList owners = action->associatedObjects();
        const bool menuItem =
            std::any_of(owners.cbegin(), owners.cend(), [](QObject* owner) { return qobject_cast<QMenu*>(owner); });
        return menuItem && !action->menu() && !action->shortcut().isEmpty() ? new AccessibleKeyedItem(action) : nullptr;
    }
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("QLabel") && object->property(kSpokenStatus).toBool())
        return new AccessibleStatus(static_cast<QLabel*>(object));
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

SpokenStatus::SpokenStatus(QLabel* label) : QObject(label), label_(label), pending_(new QTimer(this))
{
    label->setProperty(kSpokenStatus, true);
    RenewForReader(label);
    pending_->setSingleShot(true);
    pending_->setTimerType(Qt::PreciseTimer);  // a coarse timer may come 5% early
    connect(pending_, &QTimer::timeout, this, &SpokenStatus::tell);
}

void SpokenStatus::setText(const QString& text)
{
    if (text.isEmpty()) {
        // Emptied (a write ends so), the line is plain text again; the
        // reader, which keeps the role it read, must not find an empty
        // notification in the old object.
        pending_->stop();
        told_.clear();
        RenewForReader(label_);
        label_->clear();
        return;
    }
    label_->setText(text);
    if (pending_->isActive())
        return;
    constexpr qint64 kGapMs = 1000;
    const qint64 since = sinceTold_.isValid() ? sinceTold_.elapsed() : kGapMs;
    if (since >= kGapMs)
        tell();
    else
        pending_->start(int(kGapMs - since));
}

void SpokenStatus::dropWaiting()
{
    pending_->stop();
}

void SpokenStatus::tell()
{
    const QString text = label_->text();
    if (text.isEmpty() || text == told_)
        return;
    told_ = text;
    sinceTold_.start();
    emit told(text);
    if (!QAccessible::isActive())
        return;
    // The line appears anew to the reader, which speaks it. A new object to
    // the reader each time: Orca keeps the role it first read (plain text
    // while the line was empty) and ignores a notification shown again.
    RenewForReader(label_);
    QAccessibleEvent shown(label_, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

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
        GridSpeechOf(grid)->notice = notice;
        // The table's cells are made anew for the reader, so that the focus
        // on the current cell is news to it.
        QAccessibleTableModelChangeEvent reset(grid, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&reset);
        AnnounceCurrentCell(grid);
        QTimer::singleShot(1500, grid, [grid] { GridSpeechOf(grid)->notice.clear(); });
        return;
    }
    // The control's own name is kept until the focus moves on, so that a
    // second notice (two undos in a row) replaces the first instead of
    // keeping it ahead of the name for good.
    auto* own = focus->findChild<OwnName*>(QString(), Qt::FindDirectChildrenOnly);
    if (!own) {
        own = new OwnName(focus);
        own->name = focus->accessibleName();
        QObject::connect(qApp, &QApplication::focusChanged, own, [focus, own] {
            QObject::disconnect(qApp, nullptr, own, nullptr);
            focus->setAccessibleName(own->name);
            own->setParent(nullptr);
            own->deleteLater();
        });
    }
    focus->setAccessibleName(own->name.isEmpty() ? notice : notice + QStringLiteral(", ") + own->name);
}

}  // namespace mx615

#include "Accessibility.moc"
