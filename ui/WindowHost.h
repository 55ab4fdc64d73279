#pragma once
// What a window may ask of the main window: the context it was handed, the
// sizes it places itself by, the status panels it updates, and the window
// mechanism (unload any open window of a kind, load a fresh one). The main
// window implements it; windows never include the main window itself.

#include <QSize>
#include <typeindex>

#include "ui/AppContext.h"

class QWidget;

namespace mx615 {

class ChildWindow;

class WindowHost {
public:
    virtual ~WindowHost() = default;

    virtual AppContext& context() const = 0;
    // The main window's outer size, which windows take their fractions of.
    virtual QSize frameSize() const = 0;
    // The inner size of the area the windows live in.
    virtual QSize clientSize() const = 0;

    // Status panel 3 ("COM" and CommPort) and panel 7 (the band range).
    virtual void showPortPanel() = 0;
    virtual void showBandPanel() = 0;

    // The window mechanism: unload any open W, load a fresh one.
    template <class W>
    W* openWindow()
    {
        unloadWindow<W>();
        auto* window = new W(*this);
        adopt(std::type_index(typeid(W)), window);
        window->Form_Load();
        return window;
    }
    template <class W>
    W* window() const
    {
        return qobject_cast<W*>(findWindow(std::type_index(typeid(W))));
    }
    template <class W>
    void unloadWindow()
    {
        if (W* open = window<W>())
            open->unload();
    }

    // A window replaced the radio image (a file was loaded): the windows that
    // show the channels redraw at once; the others show the new values when
    // they are opened again.
    virtual void imageReplaced() = 0;

    // A window changed the image (or the model): the change becomes one step
    // of the history that Edit > Undo takes back, under this name ("RX
    // Frequency of channel 3"). A call that changed nothing makes no step.
    virtual void recordStep(const Bilingual& name) = 0;

    // Called by a window that is being unloaded.
    virtual void forget(ChildWindow* window) = 0;

protected:
    virtual void adopt(std::type_index kind, ChildWindow* window) = 0;
    virtual ChildWindow* findWindow(std::type_index kind) const = 0;
};

}  // namespace mx615
