#pragma once
// Opens a feature window from its menu item and drives its controls as a
// user does: keys into lists and boxes, clicks on check boxes.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "support/ImageBytes.h"
#include "support/TestApp.h"

namespace mx615::test {

// An open field: enabled, with the window background.
inline bool looksOpen(QWidget* control)
{
    return control->isEnabled() &&
           control->palette().color(QPalette::Base) == QApplication::palette().color(QPalette::Base);
}

// Runs a key script: "<" Backspace, "^" Home, "~" Delete, anything else
// typed as it is (also characters beyond ASCII).
inline void typeScript(QWidget* box, const QString& script)
{
    for (const QChar c : script) {
        if (c == '<')
            QTest::keyClick(box, Qt::Key_Backspace);
        else if (c == '^')
            QTest::keyClick(box, Qt::Key_Home);
        else if (c == '~')
            QTest::keyClick(box, Qt::Key_Delete);
        else if (c.unicode() > 127)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        else
            QTest::keyClick(box, c.toLatin1());
    }
}

template <class W>
struct FeatureWindowDriver {
    explicit FeatureWindowDriver(const char* menuItem, bool chinese = false) : item(menuItem)
    {
        app.state.UiChinese = chinese;
        app.main->activateWindow();
        QApplication::setActiveWindow(app.main.get());
        reopen();
    }
    // Unloads the window and loads a fresh one from the current image.
    void reopen()
    {
        QAction* action = app.main->findChild<QAction*>(QString::fromLatin1(item));
        action->setEnabled(true);  // hidden items are enabled in the service view
        action->trigger();
        win = app.main->window<W>();
    }
    // Another window comes to the front, then this one again.
    void activateAgain()
    {
        QMdiArea* area = app.main->mdiArea();
        QMdiSubWindow* self = qobject_cast<QMdiSubWindow*>(win->parentWidget());
        for (QMdiSubWindow* other : area->subWindowList())
            if (other != self) {
                area->setActiveSubWindow(other);
                break;
            }
        area->setActiveSubWindow(self);
    }
    template <class C>
    C* control(const QString& name) const
    {
        return win->template findChild<C*>(name);
    }
    // Replaces the text of a box (or a list's text) by typing.
    static void typeOver(QWidget* box, const QString& keys)
    {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, keys);
    }
    int byte(int address) const { return app.state.byteAt(address); }

    TestApp app;
    const char* item;
    W* win = nullptr;
};

}  // namespace mx615::test
