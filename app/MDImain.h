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

#include "ui/AppContext.h"
#include "ui/ChildWindow.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace mx615 {

class EditCommands;

class MDImain : public QMainWindow, public WindowHost {
    Q_OBJECT
public:
    explicit MDImain(AppContext& context);
    ~MDImain() override;

    // Start-up, in the order the program has always followed.
    void Form_Load();
    // The service technician's view: every hidden item that opens a window
    // becomes visible and enabled. Items that open nothing stay hidden.
    void setServiceMode(bool on);

    // What the windows may ask of the main window.
    AppContext& context() const override { return context_; }
    QSize frameSize() const override { return size(); }
    QSize clientSize() const override;
    void showPortPanel() override;  // panel 3: "COM" and CommPort
    void showBandPanel() override;  // panel 7: the band range of the selected model
    void imageReplaced() override;
    void recordStep(const Bilingual& name) override;
    // Undo, Redo and the other commands on the plan as a whole.
    EditCommands* edits() const { return edits_; }
    void forget(ChildWindow* window) override;

    QMdiArea* mdiArea() const { return mdi_; }

    // Status panels 1..8.
    QLabel* panel(int number) const;
    QToolBar* toolbar() const { return toolbar_; }

    // A file named on the command line or dropped on the window: loaded as
    // File > Open loads, by its suffix; refused with a message otherwise.
    bool OpenNamedFile(const QString& path);

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
    void key_edit_Click();
    void Scan_edit_Click();
    void Test_edit_Click();
    void Message_edit_Click();
    void Prog_read_Click();
    void Prog_write_Click();
    void proc_setup_Click();
    void Other_Click();
    void Language_chn_Click();
    void Language_eng_Click();
    void Menu_About_Click();

    // Probes CommPort with the main window's own serial control; sets
    // PortOpenFailed. Shows no message.
    void ProbePort();

    using WindowHost::openWindow;
    using WindowHost::unloadWindow;
    using WindowHost::window;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    // The toolbar's buttons take their menu item's caption as name and tooltip.
    void nameToolbarButtons();
    void buildStatusBar();
    void applyCaptions(bool chinese);
    void switchLanguage(bool chinese);
    void fitPanels();
    void adopt(std::type_index kind, ChildWindow* window) override;
    ChildWindow* findWindow(std::type_index kind) const override;
    QAction* item(const char* name) const;

    AppContext& context_;
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QLabel* panels_[8] = {};
    int panelsWidth_ = 0;  // the window's width at start-up, which the panels share
    std::unique_ptr<CommControl> MSC;
    EditCommands* edits_ = nullptr;
    std::map<std::type_index, QPointer<ChildWindow>> windows_;
};

}  // namespace mx615
