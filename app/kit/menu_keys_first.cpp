#include "app/kit/menu_keys_first.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace nexmar {

namespace {

// The keys a text field keeps for editing its own text, though the window
// has a command on some of them (Ctrl+C copies the field's selected text),
// as the find field does.
constexpr QKeySequence::StandardKey kEditingKeys[] = {QKeySequence::Copy,      QKeySequence::Cut,
                                                      QKeySequence::Paste,     QKeySequence::SelectAll,
                                                      QKeySequence::Undo,      QKeySequence::Redo};

bool IsEditingKey(const QKeyEvent& key)
{
    for (const QKeySequence::StandardKey editing : kEditingKeys) {
        if (key.matches(editing)) {
            return true;
        }
    }
    return false;
}

}  // namespace

MenuKeysFirst::MenuKeysFirst(QWidget& window) : QObject(&window), window_(window) {}

void MenuKeysFirst::WatchFields()
{
    for (QLineEdit* field : window_.findChildren<QLineEdit*>()) {
        field->installEventFilter(this);
    }
    for (QPlainTextEdit* field : window_.findChildren<QPlainTextEdit*>()) {
        field->installEventFilter(this);
    }
}

bool MenuKeysFirst::eventFilter(QObject* /*watched*/, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (IsEditingKey(key)) {
        return false;
    }
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* action : window_.actions()) {
        if (!action->isEnabled()) {
            continue;
        }
        for (const QKeySequence& shortcut : action->shortcuts()) {
            if (shortcut.matches(pressed) == QKeySequence::ExactMatch) {
                // Kept from the field, the key goes on to the window's
                // shortcut, even if another filter on the field claimed it.
                event->ignore();
                return true;
            }
        }
    }
    return false;
}

}  // namespace nexmar
