#include "files/PlanOpen.h"

#include <QFileInfo>

#include "files/PlanFile.h"
#include "ui/Prompt.h"
#include "ui/WindowHost.h"

namespace mx615 {

namespace {

// The undo step of a file opened over the plan: "Open hotel.csv".
Bilingual OpenStepName(const std::string& path)
{
    const std::string name = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
    return {"Open " + name, "打开 " + name};
}

}  // namespace

bool OpenPlanFile(WindowHost& host, QWidget* parent, const QString& path)
{
    AppContext& context = host.context();
    ProgramState& state = context.state;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    PlanDetails details;
    if (const auto fault = LoadPlanFile(state, absolute.toStdString(), false, &details)) {
        const bool zh = state.UiChinese;
        QStringList detail;
        for (const std::string& row : fault->rows)
            detail << qs(row);
        if (fault->fittingModel) {
            const std::string& other = state.ModelNames[*fault->fittingModel];
            detail << qs(Bilingual{"The rows fit the band of the " + other + ": choose Model > " + other +
                                       ", then open the file again.",
                                   "这些行符合 " + other + " 的频段：请选择 机型 > " + other + "，然后再次打开此文件。"},
                         zh);
        }
        detail << qs(kNothingLoaded, zh);
        context.prompt.warning(parent, qs(kOperatePrompt, zh), qs(PlanFaultText(*fault, state), zh),
                               detail.join('\n'));
        return false;
    }
    state.LastFilePath = absolute.toStdString();
    PlanFileOpened(host);
    // Rows that did not go where their Location says, or frequencies between
    // channels: told in one message, once the table shows the file.
    if (!details.notices.empty()) {
        const bool zh = state.UiChinese;
        QStringList detail;
        for (const Bilingual& notice : details.notices)
            detail << qs(notice, zh);
        context.prompt.warning(parent, qs(kOperatePrompt, zh), qs(kCsvOpenedWithNotices, zh), detail.join('\n'));
    }
    return true;
}

void PlanFileOpened(WindowHost& host)
{
    const Bilingual step = OpenStepName(host.context().state.LastFilePath);
    host.imageReplaced();
    host.recordStep(step);
}

}  // namespace mx615
