#pragma once
// The main window: an MDI frame with the menu bar, the toolbar and the status
// bar. Its load step is the program's start-up; afterwards it only dispatches
// commands. Every window opened from it is an MDI child; opening a window
// discards any open instance of the same kind and loads a fresh one.

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>
#include <typeindex>

#include "app/AppContext.h"
#include "app/ChildWindow.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace mx615 {

class MDImain : public QMainWindow {
    Q_OBJECT
public:
    explicit MDImain(AppContext& context);
    ~MDImain() override;

    // Start-up, in the order the program has always followed.
    void Form_Load();

    AppContext& context() const { return context_; }
    QMdiArea* mdiArea() const { return mdi_; }

    // Status panels 1..8.
    QLabel* panel(int number) const;
    void setPortPanel();   // panel 3: "COM" and CommPort
    void setBandPanel();   // panel 7: the band range of the selected model
    QToolBar* toolbar() const { return toolbar_; }

    // The toolbar's click: compares the key with the six keys, exactly.
    void Toolbar1_ButtonClick(const QString& key);

    // Menu handlers.
    void File_New_Click();
    void File_Open_Click();
    void File_save_Click();
    void File_saveas_Click();
    void proc_type_Click();
    void Channel_edit_Click();
    void Optional_edit_Click();
    void Prog_read_Click();
    void Prog_write_Click();
    void proc_setup_Click();
    void Language_chn_Click();
    void Language_eng_Click();

    // Probes CommPort with the main window's own serial control; sets
    // PortOpenFailed. Shows no message.
    void ProbePort();

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
        auto it = windows_.find(std::type_index(typeid(W)));
        return it == windows_.end() ? nullptr : qobject_cast<W*>(it->second.data());
    }
    template <class W>
    void unloadWindow()
    {
        if (W* open = window<W>())
            open->unload();
    }
    // Called by a window that is being unloaded.
    void forget(ChildWindow* window);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void applyCaptions(bool chinese);
    void adopt(std::type_index kind, ChildWindow* window);
    QAction* item(const char* name) const;

    AppContext& context_;
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QLabel* panels_[8] = {};
    std::unique_ptr<CommControl> MSC;
    std::map<std::type_index, QPointer<ChildWindow>> windows_;
};

}  // namespace mx615
