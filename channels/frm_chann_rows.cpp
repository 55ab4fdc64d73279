// The channel table's commands on channels as rows: the clipboard, moving and
// sorting. The rules are the core's (files/ChannelRows); this file only takes
// the selection, the clipboard and the keys, and shows the outcome.

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QShortcut>
#include <QStringList>
#include <QTableWidget>

#include "channels/ChannelGrid.h"
#include "channels/frm_chann.h"
#include "files/ChannelRows.h"
#include "ui/Accessibility.h"
#include "ui/Prompt.h"

namespace mx615 {

namespace {

// The channels' own bytes beside the CSV text, for a paste inside the program.
constexpr const char* kBytesMime = "application/x-mx615-channels";

const Bilingual kCopy{"Copy", "复制"};
const Bilingual kCut{"Cut", "剪切"};
const Bilingual kDelete{"Delete", "删除"};
const Bilingual kPaste{"Paste", "粘贴"};
const Bilingual kUp{"Move Channel Up", "信道上移"};
const Bilingual kDown{"Move Channel Down", "信道下移"};
const Bilingual kSort{"Sort by Receive Frequency", "按接收频率排序"};

// "channel 3", "channels 3-5".
Bilingual runName(int first, int last)
{
    if (first == last)
        return {"channel " + std::to_string(first), "信道 " + std::to_string(first)};
    const std::string run = std::to_string(first) + "-" + std::to_string(last);
    return {"channels " + run, "信道 " + run};
}

Bilingual stepName(const Bilingual& command, const Bilingual& what)
{
    return {command.en + " " + what.en, command.zh + " " + what.zh};
}

}  // namespace

const std::vector<RowCommand>& RowCommands()
{
    static const std::vector<RowCommand> commands{
        {"Channel_cut", kCut, "Ctrl+X", &frm_chann::Channel_cut_Click},
        {"Channel_copy", kCopy, "Ctrl+C", &frm_chann::Channel_copy_Click},
        {"Channel_paste", kPaste, "Ctrl+V", &frm_chann::Channel_paste_Click},
        {"Channel_delete", kDelete, "Del", &frm_chann::Channel_delete_Click, true},
        {"Channel_up", kUp, "Ctrl+Shift+Up", &frm_chann::Channel_up_Click},
        {"Channel_down", kDown, "Ctrl+Shift+Down", &frm_chann::Channel_down_Click, true},
        {"Channel_sort", kSort, "", &frm_chann::Channel_sort_Click},
    };
    return commands;
}

std::pair<int, int> frm_chann::selectedChannels() const
{
    int first = kChannels + 1, last = 0;
    for (const QTableWidgetSelectionRange& range : MSF_chann->selectedRanges()) {
        first = std::min(first, std::max(range.topRow(), 1));
        last = std::max(last, std::min(range.bottomRow(), kChannels));
    }
    if (first > last)
        first = last = std::clamp<int>(state().CurrentChannel, 1, kChannels);
    return {first, last};
}

void frm_chann::rowsChanged(const Bilingual& step, int first, int last)
{
    state().ChannelCount = kChannels;
    showAllRows();
    host().recordStep(step);
    MSF_chann->setCurrentCell(first, std::max(MSF_chann->currentColumn(), int(ChannelGrid::ColRx)));
    MSF_chann->clearSelection();
    MSF_chann->setRangeSelected(QTableWidgetSelectionRange(first, 0, last, ChannelGrid::kColumns - 1), true);
    TellReader(MSF_chann, qs(step, chinese()));
}

bool frm_chann::copyRows(int first, int last)
{
    const CopiedChannels copied = CopyChannels(state(), first, last);
    if (!copied.any) {
        warn(ChannelRowTexts::NothingToCopy);
        return false;
    }
    auto* data = new QMimeData;
    data->setText(qs(copied.text));
    data->setData(kBytesMime, QByteArray::fromStdString(copied.bytes));
    QGuiApplication::clipboard()->setMimeData(data);
    return true;
}

void frm_chann::Channel_copy_Click()
{
    const auto [first, last] = selectedChannels();
    // Nothing on the screen changes, so a screen reader is told what was taken.
    if (copyRows(first, last))
        TellReader(MSF_chann, qs(stepName(kCopy, runName(first, last)), chinese()));
}

void frm_chann::clearRows(const Bilingual& command, int first, int last)
{
    editor_->close();
    ClearChannels(state(), first, last);
    rowsChanged(stepName(command, runName(first, last)), first, last);
}

void frm_chann::Channel_cut_Click()
{
    const auto [first, last] = selectedChannels();
    if (copyRows(first, last))
        clearRows(kCut, first, last);
}

void frm_chann::Channel_delete_Click()
{
    const auto [first, last] = selectedChannels();
    clearRows(kDelete, first, last);
}

void frm_chann::Channel_paste_Click()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString text = data ? data->text() : QString();
    const QByteArray bytes = data ? data->data(kBytesMime) : QByteArray();
    const int at = std::clamp<int>(state().CurrentChannel, 1, kChannels);
    editor_->close();
    const PasteResult pasted = PasteChannels(text.toStdString(), state(), at, bytes.toStdString());
    if (pasted.fault) {
        QStringList rows;
        for (const std::string& row : pasted.fault->rows)
            rows << qs(row);
        warn(pasted.fault->text, rows.join(QLatin1Char('\n')));
        return;
    }
    const Bilingual at_{"at channel " + std::to_string(at), "到信道 " + std::to_string(at)};
    rowsChanged(stepName(kPaste, at_), pasted.channels.front(), pasted.channels.back());
}

void frm_chann::moveChannel(int by)
{
    const int n = std::clamp<int>(state().CurrentChannel, 1, kChannels);
    const int m = n + by;
    if (m < 1 || m > kChannels)
        return;
    editor_->close();
    SwapChannels(state(), n, m);
    const Bilingual step = by < 0 ? Bilingual{"Move channel " + std::to_string(n) + " up",
                                              "信道 " + std::to_string(n) + " 上移"}
                                  : Bilingual{"Move channel " + std::to_string(n) + " down",
                                              "信道 " + std::to_string(n) + " 下移"};
    rowsChanged(step, m, m);
}

void frm_chann::Channel_up_Click()
{
    moveChannel(-1);
}

void frm_chann::Channel_down_Click()
{
    moveChannel(1);
}

void frm_chann::Channel_sort_Click()
{
    editor_->close();
    SortChannelsByRx(state());
    rowsChanged(kSort, 1, 1);
}

void frm_chann::showRowsMenu(const QPoint& where)
{
    editor_->commitAndClose();
    QMenu menu(this);
    menu.setObjectName("Channel_rows_menu");
    for (const RowCommand& command : RowCommands()) {
        QAction* action = menu.addAction(qs(command.text, chinese()));
        action->setObjectName(command.name);
        // Shown beside the item; the keys themselves belong to the Edit menu.
        action->setShortcut(QKeySequence(QString::fromLatin1(command.keys)));
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, command.run);
        if (command.endsGroup)
            menu.addSeparator();
    }
    menu.exec(where);
}

}  // namespace mx615
