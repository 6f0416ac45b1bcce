#include "app/panes/notes_pane.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

namespace nexmar {

namespace {

constexpr const char* kNothingToWriteOn = "Select a system, or an object in it, to write notes on it.";

// Whether key is one of the window's commands on the edits (Undo, Redo):
// the dialog's undo stack, not the editor's, takes every edit back.
bool IsUndoKey(const QWidget& window, const QKeyEvent& key)
{
    if (key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo)) {
        return true;
    }
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* action : window.actions()) {
        const QString name = action->objectName();
        if ((name == QLatin1String("undoAction") || name == QLatin1String("redoAction")) &&
            action->shortcuts().contains(pressed)) {
            return true;
        }
    }
    return false;
}

}  // namespace

NotesPane::NotesPane(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("notesPane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 0, 0);
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("notesHeading"));
    heading_->setWordWrap(true);
    heading_->setTextFormat(Qt::PlainText);
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    layout->addWidget(heading_);
    notes_ = AddSection(QStringLiteral("notesEditor"), QStringLiteral("&Notes:"));
    players_ = AddSection(QStringLiteral("playerNotesEditor"), QStringLiteral("For the pla&yers:"));
    players_.editor->setToolTip(QStringLiteral("Printed in the players' handout, under the system or object"));
    QPlainTextEdit* referee = notes_.editor;
    connect(referee, &QPlainTextEdit::textChanged, this, [this, referee] { emit NotesEdited(referee->toPlainText()); });
    QPlainTextEdit* players = players_.editor;
    connect(players, &QPlainTextEdit::textChanged, this, [this, players] {
        emit PlayerNotesEdited(players->toPlainText());
    });
    ShowTarget({}, {}, false);
}

NotesPane::Section NotesPane::AddSection(const QString& objectName, const QString& title)
{
    Section section;
    section.title = new QLabel(title, this);
    section.editor = new QPlainTextEdit(this);
    section.editor->setObjectName(objectName);
    section.title->setBuddy(section.editor);
    // The dialog's undo stack undoes the notes with every other edit; Tab
    // moves on, since a note keeps no tab.
    section.editor->setUndoRedoEnabled(false);
    section.editor->setTabChangesFocus(true);
    section.editor->installEventFilter(this);
    section.fault = new QLabel(this);
    section.fault->setTextFormat(Qt::PlainText);
    section.fault->setWordWrap(true);
    section.fault->hide();
    auto* column = static_cast<QVBoxLayout*>(layout());
    column->addWidget(section.title);
    column->addWidget(section.editor, 1);
    column->addWidget(section.fault);
    return section;
}

void NotesPane::ShowTarget(const QString& heading, const Notes& notes, bool writable)
{
    heading_->setText(writable ? heading : QString());
    heading_->setVisible(writable);
    for (const Section* section : {&notes_, &players_}) {
        section->editor->setPlaceholderText(writable ? QString() : QString::fromLatin1(kNothingToWriteOn));
        section->editor->setReadOnly(!writable);
        ShowFault(*section, {});
    }
    SetText(notes_, notes.referee);
    SetText(players_, notes.players);
}

void NotesPane::FollowNotes(const QString& heading, const Notes& notes)
{
    heading_->setText(heading);
    FollowText(notes_, notes.referee);
    FollowText(players_, notes.players);
}

void NotesPane::FollowText(const Section& section, const QString& text)
{
    if (text == section.editor->toPlainText()) {
        return;
    }
    const int position = section.editor->textCursor().position();
    SetText(section, text);
    QTextCursor cursor = section.editor->textCursor();
    cursor.setPosition(std::min(position, static_cast<int>(text.size())));
    section.editor->setTextCursor(cursor);
    ShowFault(section, {});
}

void NotesPane::ShowFault(const QString& fault, bool players)
{
    ShowFault(players ? players_ : notes_, fault);
}

void NotesPane::ShowFault(const Section& section, const QString& fault)
{
    section.fault->setText(fault.isEmpty() ? QString() : QStringLiteral("Not kept: %1.").arg(fault));
    section.fault->setVisible(!fault.isEmpty());
}

void NotesPane::ShowRefereeNotes(bool shown)
{
    notes_.title->setVisible(shown);
    notes_.editor->setVisible(shown);
    notes_.fault->setVisible(shown && !notes_.fault->text().isEmpty());
}

QString NotesPane::Text() const
{
    return notes_.editor->toPlainText();
}

QString NotesPane::PlayersText() const
{
    return players_.editor->toPlainText();
}

QSize NotesPane::sizeHint() const
{
    return {fontMetrics().averageCharWidth() * 32, 240};
}

void NotesPane::SetText(const Section& section, const QString& text)
{
    // Text set here is no edit of the user's.
    const QSignalBlocker quiet(section.editor);
    section.editor->setPlainText(text);
}

bool NotesPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != notes_.editor && watched != players_.editor) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride && IsUndoKey(*window(), *static_cast<QKeyEvent*>(event))) {
        // Left to the window's Undo and Redo.
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        // Escape would close the dialog: it only ends the typing.
        emit Left();
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        emit EditingEnded();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace nexmar
