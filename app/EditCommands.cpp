#include "app/EditCommands.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "app/MDImain.h"
#include "channels/frm_chann.h"
#include "link/Form_Comm_Compare.h"
#include "link/Form_Comm_Write.h"
#include "ui/Accessibility.h"
#include "ui/Prompt.h"

namespace mx615 {

EditCommands::EditCommands(MDImain& main) : QObject(&main), main_(main)
{
    // A change that no window named is recorded as soon as the user moves on
    // from the control that made it.
    connect(qApp, &QApplication::focusChanged, this, [this] { recordPending(); });
    // The row commands' keys belong to the channel table: Delete in another
    // window must not empty a channel behind it.
    connect(main_.mdiArea(), &QMdiArea::subWindowActivated, this, [this] { refresh(); });
}

void EditCommands::addToEdit(QMenu* edit)
{
    auto add = [this, edit](const char* name, const QList<QKeySequence>& keys) {
        QAction* action = edit->addAction(QString());
        action->setObjectName(name);
        action->setShortcuts(keys);
        return action;
    };
    undo_ = add("Edit_undo", {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    redo_ = add("Edit_redo", {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undo_, &QAction::triggered, this, &EditCommands::Edit_undo_Click);
    connect(redo_, &QAction::triggered, this, &EditCommands::Edit_redo_Click);
    edit->addSeparator()->setObjectName("Edit_rows_separator");
    for (const RowCommand& command : RowCommands()) {
        QAction* action = add(command.name, {QKeySequence(QString::fromLatin1(command.keys))});
        rows_.push_back(action);
        connect(action, &QAction::triggered, this, [this, run = command.run] {
            if (frm_chann* rows = table())
                (rows->*run)();
        });
        if (command.endsGroup)
            edit->addSeparator()->setObjectName("Edit_rows_separator");
    }
    // The editors' items follow.
    edit->addSeparator()->setObjectName("Edit_rows_separator");
    refresh();
}

void EditCommands::addToProgram(QMenu* program)
{
    compare_ = program->addAction(QString());
    compare_->setObjectName("Prog_compare");
    connect(compare_, &QAction::triggered, this, &EditCommands::Prog_compare_Click);
}

void EditCommands::Prog_compare_Click()
{
    main_.openWindow<Form_Comm_Compare>();
}

void EditCommands::applyCaptions(bool chinese)
{
    if (compare_)
        compare_->setText(qs(EditTexts::Compare, chinese));
    for (std::size_t i = 0; i < rows_.size(); ++i)
        rows_[i]->setText(qs(RowCommands()[i].text, chinese));
    refresh();
}

void EditCommands::refresh()
{
    if (!undo_)
        return;
    const bool zh = main_.context().state.UiChinese;
    auto show = [zh](QAction* action, const Bilingual& verb, const Bilingual* name) {
        action->setEnabled(name != nullptr);
        action->setText(name ? qs(verb, zh) + QLatin1Char(' ') + qs(*name, zh) : qs(verb, zh));
    };
    show(undo_, EditTexts::Undo, history_.undoName());
    show(redo_, EditTexts::Redo, history_.redoName());
    const QMdiSubWindow* sub = main_.mdiArea()->activeSubWindow();
    const bool tableInFront = sub && qobject_cast<const frm_chann*>(sub->widget());
    for (QAction* action : rows_)
        action->setEnabled(tableInFront);
}

void EditCommands::restart()
{
    history_.reset(main_.context().state);
    refresh();
}

void EditCommands::record(const Bilingual& name)
{
    if (history_.record(main_.context().state, name))
        refresh();
}

void EditCommands::recordPending()
{
    const ProgramState& state = main_.context().state;
    if (!history_.pending(state))
        return;
    const QMdiSubWindow* sub = main_.mdiArea()->activeSubWindow();
    const auto* window = sub ? qobject_cast<const ChildWindow*>(sub->widget()) : nullptr;
    record(window && !window->caption().en.empty() ? window->caption() : EditTexts::Edit);
}

void EditCommands::Edit_undo_Click()
{
    step(true);
}

void EditCommands::Edit_redo_Click()
{
    step(false);
}

void EditCommands::step(bool undo)
{
    ProgramState& state = main_.context().state;
    // A write takes its frames from the image as it goes: the image stays
    // as it is until the radio has it all.
    if (const Form_Comm_Write* write = main_.window<Form_Comm_Write>(); write && write->linkBusy())
        return;
    recordPending();
    const std::optional<Bilingual> name = undo ? history_.undo(state) : history_.redo(state);
    if (!name)
        return;
    main_.imageReplaced();
    main_.showBandPanel();
    // Showing the image again may tidy it (an empty channel's bytes); that is
    // part of the state the step went back to, not a change of its own.
    history_.settle(state);
    refresh();
    const bool zh = state.UiChinese;
    TellReader(QApplication::focusWidget(), qs(undo ? EditTexts::Undone : EditTexts::Redone, zh) + qs(*name, zh));
}

frm_chann* EditCommands::table()
{
    if (frm_chann* open = main_.window<frm_chann>())
        return open;
    return main_.openWindow<frm_chann>();
}

}  // namespace mx615
