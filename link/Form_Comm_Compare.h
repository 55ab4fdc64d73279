#pragma once
// Compare with Radio: reads the radio into a second image, leaving the plan
// as it is, and lists what differs, one line each, in the words of
// `mx615-cli diff`. The list can be saved as text, and Take the radio's
// values puts what was read in place of the plan (one undo step).

#include <QStringList>
#include <memory>

#include "link/CommDialog.h"

class QListWidget;

namespace mx615 {

class Form_Comm_Compare : public CommDialog {
    Q_OBJECT
public:
    explicit Form_Comm_Compare(WindowHost& host);
    ~Form_Comm_Compare() override;

    QPushButton* Command_compare = nullptr;
    QListWidget* List_diff = nullptr;
    QPushButton* Command_take = nullptr;
    QPushButton* Command_savetext = nullptr;

    void Form_Load() override;
    void Command_compare_Click();
    void Command_take_Click();
    void Command_savetext_Click();

    // What the list shows, line by line, and its save as a UTF-8 text file.
    QStringList reportLines() const;
    bool saveText(const QString& path);
    // The radio's image as last read, or none.
    const ProgramState* radio() const { return radio_.get(); }

protected:
    bool isCurrent() const override;

private:
    void showReport();

    std::unique_ptr<ProgramState> radio_;
};

// The undo step of Take the radio's values.
inline const Bilingual kTakeRadioStep{"Take the radio's values", "采用对讲机的数值"};

}  // namespace mx615
