#pragma once
// What the read and the write dialog share: a progress bar, a status label,
// a start button, Cancel and Help, and the protocol engine that does the work.
// The dialog only shows what the engine reports.

#include <QPushButton>

#include "link/LinkWindow.h"

namespace mx615 {

struct CommDialogCaptions {
    Bilingual window;
    Bilingual start;
};

class CommDialog : public LinkWindow {
    Q_OBJECT
public:
    CommDialog(WindowHost& host, const char* startName);

    QPushButton* Command_Cancel = nullptr;
    QPushButton* Command_Help = nullptr;
    // Which port and device the transfer uses: "COM1 — /dev/ttyUSB0".
    QLabel* Label_port = nullptr;

    void Command_Cancel_Click();

protected:
    // Refused while an attempt runs (TransferActive). In the pause between a
    // reply timeout and the restart Cancel closes the dialog: that is the
    // user's way out of a transfer to a radio that does not answer.
    bool closeRefused() const override { return link() && link()->transferActive(); }
    // Builds the engine, places the dialog and sets its captions.
    void loadDialog(TransferPlan plan, const CommDialogCaptions& captions);
    // The start button's work.
    void startTransfer();

    QPushButton* startButton_ = nullptr;

private:
    void closeWhenDone();
    void showPort();
};

}  // namespace mx615
