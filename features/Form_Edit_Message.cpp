#include "features/Form_Edit_Message.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include "features/FeatureTexts.h"
#include "model/Codecs.h"
#include "ui/GridEditing.h"
#include "ui/Prompt.h"

namespace mx615 {

namespace {

// A message holds only characters of the radio's one-byte code page.
QString oneByteCharacters(const QString& text)
{
    QString kept;
    for (const QChar c : text)
        if (IsMessageCharacter(c.unicode()))
            kept += c;
    return kept;
}

}  // namespace

Form_Edit_Message::Form_Edit_Message(WindowHost& host) : FeatureWindow(host, "Command_Help")
{
    setObjectName("Form_Edit_Message");
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    for (Message which : kMessages) {
        QLineEdit* text = makeText(ControlName(which));
        (which == Message::First ? Text_MS1 : Text_MS2) = text;
        connect(text, &QLineEdit::textEdited, this, [this, which] { Text_MS_Change(which); });
        // Room for a whole message.
        text->setMinimumWidth(text->fontMetrics().averageCharWidth() * (kMessageChars + 4));
        layout->addWidget(text);
    }
    layout->addStretch();
    layout->addLayout(buttonRow({Command_close, Command_Help}));
}

void Form_Edit_Message::Form_Load()
{
    placeInMain(3, 4, 4);
    setTexts(MessageTexts::Caption, MessageTexts::Captions);
    ShowMessages();
    growToContent();
    showActive();
    Text_MS1->setFocus();
}

void Form_Edit_Message::ShowMessages()
{
    for (Message which : kMessages)
        box(which)->setText(QString::fromLatin1(ShownMessage(state(), which)));
}

void Form_Edit_Message::StoreMessageBox(Message which)
{
    StoreMessage(state(), which, box(which)->text().toLatin1().toStdString());
}

bool Form_Edit_Message::textKeyPress(QLineEdit* text, QKeyEvent* key)
{
    if (!TypesCharacter(key))
        return false;
    // A character beyond the one-byte code page has no place in the radio;
    // once the message holds 32 characters it takes no more.
    const char32_t typed = key->text().toUcs4().value(0);
    return !IsMessageCharacter(typed) || !MessageKeyAccepted(text->text().toLatin1().toStdString());
}

void Form_Edit_Message::Text_MS_Change(Message which)
{
    // Every change is stored at once, however it came (a key, Delete,
    // cutting, pasting), so the image never lags behind the box. Pasted text
    // keeps only its one-byte characters and at most 32 of them.
    QLineEdit* text = box(which);
    QString kept = oneByteCharacters(text->text());
    const std::string trimmed = Trimmed(kept.toLatin1().toStdString());
    if (int(trimmed.size()) > kMessageChars) {
        qsizetype lead = 0;
        while (kept.at(lead) == QLatin1Char(' '))
            ++lead;
        kept = kept.left(lead + kMessageChars);
    }
    if (kept != text->text())
        text->setText(kept);
    StoreMessageBox(which);
}

}  // namespace mx615
