#include "features/FeatureWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "features/FeatureTexts.h"
#include "ui/GridEditing.h"
#include "ui/Prompt.h"

namespace mx615 {

FeatureWindow::FeatureWindow(WindowHost& host, const char* helpName) : ChildWindow(host)
{
    Command_close = makeButton("Command_close");
    Command_Help = makeButton(helpName);
    connect(Command_close, &QPushButton::clicked, this, &FeatureWindow::Command_close_Click);
    connect(Command_Help, &QPushButton::clicked, this, &FeatureWindow::Command_Help_Click);
    setCancelButton(Command_close);
}

void FeatureWindow::placeInMain(double widthDivisor, double heightDivisor, int topDivisor)
{
    const QSize main = host().frameSize();
    const int width = int(main.width() / widthDivisor);
    const int height = int(main.height() / heightDivisor);
    place((main.width() - width) / 2, (main.height() - height) / topDivisor, width, height);
}

void FeatureWindow::setTexts(const Bilingual& caption, const std::vector<ControlCaption>& captions)
{
    setCaption(caption);
    setControlCaptions(captions);
}

QComboBox* FeatureWindow::makeList(const char* name, ListKind kind, std::function<void(int)> click)
{
    auto* list = makeNamed<QComboBox>(name);
    list->setMaxVisibleItems(16);
    list->setEditable(kind == ListKind::Typed);
    if (kind == ListKind::Typed) {
        list->setInsertPolicy(QComboBox::NoInsert);
        // Completion would put its own guess into the text as it is typed.
        list->setCompleter(nullptr);
        connect(list->lineEdit(), &QLineEdit::textEdited, this,
                [this, list](const QString& typed) { listChanged(list, typed); });
    } else {
        list->installEventFilter(this);
    }
    lists_[list] = {kind, {}, click};
    connect(list, &QComboBox::currentIndexChanged, this, [this, list](int position) {
        // Filling selects the first entry by itself; that is no choice.
        if (position >= 0 && !filling_)
            lists_[list].click(position);
    });
    return list;
}

void FeatureWindow::fillList(QComboBox* list, const ChoiceList& choices)
{
    filling_ = true;
    list->clear();
    for (const std::string& text : ChoiceTexts(choices, chinese()))
        list->addItem(qs(text));
    list->setCurrentIndex(-1);
    filling_ = false;
    lists_[list].choices = choices;
}

void FeatureWindow::listChanged(QComboBox* list, const QString& typed)
{
    const ListInfo& info = lists_[list];
    const int position = TypedChoicePosition(typed.toStdString(), info.choices, chinese());
    if (position >= list->count())
        return;
    if (list->currentIndex() != position) {
        list->setCurrentIndex(position);  // runs the handler
        return;
    }
    // The selection stays: the entry's text comes back and is stored again.
    list->setEditText(list->itemText(position));
    info.click(position);
}

QCheckBox* FeatureWindow::makeCheck(const char* name, std::function<void(bool)> click)
{
    auto* box = makeNamed<QCheckBox>(name);
    connect(box, &QCheckBox::toggled, this, std::move(click));
    return box;
}

QLineEdit* FeatureWindow::makeText(const char* name)
{
    auto* box = makeNamed<QLineEdit>(name);
    box->installEventFilter(this);
    return box;
}

bool FeatureWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (auto* list = qobject_cast<QComboBox*>(watched)) {
            // A pick-only list takes no typed characters; the arrow keys and
            // the space bar (which opens it) still work.
            auto it = lists_.find(list);
            if (it != lists_.end() && it->second.kind == ListKind::PickOnly)
                return TypesCharacter(key) && key->text() != QStringLiteral(" ");
        } else if (auto* box = qobject_cast<QLineEdit*>(watched)) {
            return textKeyPress(box, key);
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

}  // namespace mx615
