#include "app/FileDrop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "adjust/frm_Adj_Txp.h"
#include "app/MDImain.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "ui/Prompt.h"

namespace mx615 {

namespace {

const Bilingual kOneFile{"Drop one file at a time: several files were dropped, and none was opened.",
                         "请一次只拖入一个文件：拖入了多个文件，均未打开。"};
const Bilingual kExchangeRunning{
    "The file was not opened: a transfer with the radio is running. Drop the file again when it is over.",
    "文件未打开：正在与对讲机传输数据。请在传输结束后再拖入文件。"};

// The local files a drag carries, or nothing when it carries anything else.
QStringList localFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}

}  // namespace

FileDrop::FileDrop(MDImain& main) : QObject(&main), main_(main)
{
    main.setAcceptDrops(true);
    main.installEventFilter(this);
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (localFiles(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = localFiles(drop->mimeData());
        if (paths.isEmpty())
            return false;
        drop->acceptProposedAction();
        // Let the file manager finish its drag before any message box opens.
        QTimer::singleShot(0, this, [this, paths] { Form_DragDrop(paths); });
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

void FileDrop::Form_DragDrop(const QStringList& paths)
{
    const AppContext& context = main_.context();
    const bool zh = context.state.UiChinese;
    if (paths.size() != 1) {
        context.prompt.warning(&main_, qs(kOperatePrompt, zh), qs(kOneFile, zh));
        return;
    }
    if (exchangeRunning()) {
        context.prompt.warning(&main_, qs(kOperatePrompt, zh), qs(kExchangeRunning, zh), paths.front());
        return;
    }
    main_.OpenNamedFile(paths.front());
}

bool FileDrop::exchangeRunning() const
{
    const Form_Comm_Read* read = main_.window<Form_Comm_Read>();
    const Form_Comm_Write* write = main_.window<Form_Comm_Write>();
    const frm_Adj_Txp* adjust = main_.window<frm_Adj_Txp>();
    return (read && read->linkBusy()) || (write && write->linkBusy()) ||
           (adjust && adjust->linkBusy());
}

}  // namespace mx615
