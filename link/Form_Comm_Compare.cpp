#include "link/Form_Comm_Compare.h"

#include <QAccessible>
#include <QApplication>
#include <QBoxLayout>
#include <QFileDialog>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QTimer>

#include "files/NumberFile.h"
#include "files/RadioCompare.h"
#include "link/ClonePlans.h"
#include "ui/Prompt.h"

namespace mx615 {

namespace {

const Bilingual kCaption{"Compare with Radio", "与对讲机比较"};
const Bilingual kStart{"Compare", "比较"};
const Bilingual kListName{"Differences between the plan and the radio", "计划与对讲机的差异"};
const Bilingual kTake{"Take the radio's values", "采用对讲机的数值"};
const Bilingual kSave{"Save as Text...", "另存为文本..."};
const Bilingual kSaveTitle{"Save the comparison", "保存比较结果"};
const Bilingual kNotSaved{"The comparison was not saved.", "比较结果未保存。"};
const Bilingual kNotRead{"Press Compare to read the radio; the plan is not changed.",
                         "按“比较”读取对讲机；计划不会改变。"};

}  // namespace

Form_Comm_Compare::Form_Comm_Compare(WindowHost& host) : CommDialog(host, "Command_compare")
{
    setObjectName("Form_Comm_Compare");
    Command_compare = startButton_;
    List_diff = makeNamed<QListWidget>("List_diff");
    Command_take = makeButton("Command_take");
    Command_savetext = makeButton("Command_savetext");

    // The list under the progress, the two buttons after Compare, in the
    // order the Tab key visits them.
    auto* column = qobject_cast<QVBoxLayout*>(layout());
    column->insertWidget(column->count() - 1, List_diff, 1);
    auto* buttons = qobject_cast<QHBoxLayout*>(column->itemAt(column->count() - 1)->layout());
    buttons->insertWidget(2, Command_take);
    buttons->insertWidget(3, Command_savetext);
    setTabOrder(Command_compare, List_diff);
    setTabOrder(List_diff, Command_take);
    setTabOrder(Command_take, Command_savetext);
    setTabOrder(Command_savetext, Command_Cancel);

    // Qt tells a reader only that the list took the focus: the line the
    // cursor is on is told after it, so the first finding is heard too.
    // The list is the connection's context and the lambda keeps no pointer to
    // the window: the focus moves while the window is being destroyed too.
    connect(qApp, &QApplication::focusChanged, List_diff, [list = List_diff](QWidget*, QWidget* now) {
        if (now != list || !QAccessible::isActive())
            return;
        QTimer::singleShot(0, list, [list] {
            if (!list->hasFocus() || list->currentRow() < 0)
                return;
            QAccessibleEvent line(list, QAccessible::Focus);
            line.setChild(list->currentRow());
            QAccessible::updateAccessibility(&line);
        });
    });
    connect(Command_compare, &QPushButton::clicked, this, &Form_Comm_Compare::Command_compare_Click);
    connect(Command_take, &QPushButton::clicked, this, &Form_Comm_Compare::Command_take_Click);
    connect(Command_savetext, &QPushButton::clicked, this, &Form_Comm_Compare::Command_savetext_Click);
}

Form_Comm_Compare::~Form_Comm_Compare() = default;

void Form_Comm_Compare::Form_Load()
{
    TransferPlan plan = ReadPlan();
    // The radio goes into an image of its own; the plan stays untouched.
    plan.unpack = [this, unpack = plan.unpack](ProgramState& state) {
        auto read = std::make_unique<ProgramState>(state);
        if (!unpack(*read))
            return false;
        radio_ = std::move(read);
        showReport();
        // The user lands on the findings once the completion box is closed.
        List_diff->setFocus();
        return true;
    };
    // The window stays open with what it found.
    plan.closeWhenDone = false;
    loadDialog(std::move(plan), {kCaption, kStart});
    const bool zh = chinese();
    List_diff->setAccessibleName(qs(kListName, zh));
    Command_take->setText(qs(kTake, zh));
    Command_savetext->setText(qs(kSave, zh));
    // Room for the list: the dialog is twice as tall as the read dialog.
    const QSize main = host().frameSize();
    const int width = int(main.width() / 1.55), height = int(main.height() / 1.4);
    if (QMdiSubWindow* sub = frame()) {
        sub->setFixedSize(width, height);
        sub->move((main.width() - width) / 2, std::max(0, (main.height() - height) / 6));
    }
    showReport();
}

bool Form_Comm_Compare::isCurrent() const
{
    return host().window<Form_Comm_Compare>() == this;
}

void Form_Comm_Compare::Command_compare_Click()
{
    startTransfer();
}

void Form_Comm_Compare::showReport()
{
    List_diff->clear();
    if (!radio_) {
        List_diff->addItem(qs(kNotRead, chinese()));
    } else {
        for (const std::string& line : CompareReport(state(), *radio_, chinese()))
            List_diff->addItem(qs(line));
    }
    List_diff->setCurrentRow(0);
    const bool differs = radio_ && !RadioHoldsPlan(state(), *radio_);
    Command_take->setEnabled(differs);
    Command_savetext->setEnabled(radio_ != nullptr);
}

QStringList Form_Comm_Compare::reportLines() const
{
    QStringList lines;
    for (int i = 0; i < List_diff->count(); ++i)
        lines << List_diff->item(i)->text();
    return lines;
}

void Form_Comm_Compare::Command_take_Click()
{
    if (!radio_ || (link() && link()->transferActive()))
        return;
    // As a read takes it: radio lines 0..63, the model stays the plan's.
    std::copy_n(radio_->RadioImage.begin(), kRadioLines, state().RadioImage.begin());
    host().imageReplaced();
    host().recordStep(kTakeRadioStep);
    showReport();
    List_diff->setFocus();
}

bool Form_Comm_Compare::saveText(const QString& path)
{
    const QString text = reportLines().join(QLatin1Char('\n')) + QLatin1Char('\n');
    if (auto fault = WriteFileReplacing(path.toStdString(), text.toStdString())) {
        warn(kNotSaved, qs(fault->text, chinese()));
        return false;
    }
    return true;
}

void Form_Comm_Compare::Command_savetext_Click()
{
    const QString path = QFileDialog::getSaveFileName(this, qs(kSaveTitle, chinese()), QStringLiteral("compare.txt"),
                                                      QStringLiteral("Text (*.txt)"));
    if (!path.isEmpty())
        saveText(path);
}

}  // namespace mx615
