#pragma once
// The embedded message: two lines of up to 32 characters, in lines 48..51 of
// the image, one byte per character.

#include "features/FeatureWindow.h"
#include "features/MessageRecord.h"

namespace mx615 {

class Form_Edit_Message : public FeatureWindow {
    Q_OBJECT
public:
    explicit Form_Edit_Message(WindowHost& host);

    void Form_Load() override;
    void ShowMessages();
    // Writes one box's text into its two lines.
    void StoreMessageBox(Message which);

    // Handlers.
    void Text_MS_Change(Message which);

    QLineEdit* box(Message which) const { return which == Message::First ? Text_MS1 : Text_MS2; }

    QLineEdit* Text_MS1 = nullptr;
    QLineEdit* Text_MS2 = nullptr;

protected:
    void showStored() override { ShowMessages(); }
    bool textKeyPress(QLineEdit* box, QKeyEvent* key) override;
};

}  // namespace mx615
