#include "files/PlanOpen.h"

#include <QFileInfo>

#include "files/PlanFile.h"
#include "ui/Prompt.h"
#include "ui/WindowHost.h"

namespace mx615 {

bool OpenPlanFile(WindowHost& host, QWidget* parent, const QString& path)
{
    AppContext& context = host.context();
    ProgramState& state = context.state;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (const auto fault = LoadPlanFile(state, absolute.toStdString())) {
        const bool zh = state.UiChinese;
        QStringList detail;
        for (const std::string& row : fault->rows)
            detail << qs(row);
        if (fault->hint)
            detail << qs(*fault->hint, zh);
        detail << qs(kNothingLoaded, zh);
        context.prompt.warning(parent, qs(kOperatePrompt, zh), qs(fault->text, zh), detail.join('\n'));
        return false;
    }
    state.LastFilePath = absolute.toStdString();
    host.imageReplaced();
    host.recordStep(OpenStepName(state.LastFilePath));
    return true;
}

Bilingual OpenStepName(const std::string& path)
{
    const std::string name = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
    return {"Open " + name, "打开 " + name};
}

}  // namespace mx615
