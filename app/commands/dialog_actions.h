#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace nexmar {


// Every command of the dialog, each built once as a QAction with its
// shortcut and status tip: the menu bar, the context menu and the keyboard
// all reach the same action. A command is one row of the table in
// dialog_actions.cpp, which names its menu, its place there and what it
// needs before it can be used; the window binds each name to what the
// command does.
class DialogActions {
public:
    // What a command acts on, which decides when it is enabled.
    enum class Needs {
        Nothing,   // always enabled
        RunShown,  // a run on screen: its seed, its JSON document, its statistics, its tree
        Reports,   // the reports of the latest run, which outlive a refused Generate
        System,    // a system of the run shown, holding the tree's current item
    };

    // What the command of that name does; none for a submenu the window fills.
    using CommandOf = std::function<std::function<void()>(const char* name)>;

    // Builds the actions on window (so their shortcuts work anywhere in it)
    // and the menu bar that lists them, each doing what commandOf binds to it.
    DialogActions(QWidget& window, const CommandOf& commandOf);

    QMenuBar* MenuBar() const { return menuBar_; }
    // The action whose object name is name, e.g. "exportJsonAction".
    QAction* Action(const char* name) const;
    // A context menu of the same actions, menu by menu, which deletes
    // itself once closed; over an item of the tree, the commands on that
    // item come first.
    QMenu* MakeContextMenu(QWidget* parent, bool overItem = false) const;
    // The output commands say whether they hold the systems a filter keeps:
    // "&Export JSON: 6 systems shown..." while shown has a value.
    void FollowFilter(std::optional<int> shown);
    // "Export JSON: 6 systems shown", or "Export JSON": the command's name
    // for the title of its dialog.
    QString Title(const char* name) const;
    // Enables each action by what is there to act on; the status tip of a
    // disabled one says what it waits for.
    void Follow(bool runShown, bool reportsKept, bool systemSelected);
    // While the players' view is on (after Follow), the commands that would
    // show the referee's figures are disabled, their status tips saying why.
    void FollowPlayerView(bool on);

private:
    struct Built {
        QAction* action;
        Needs needs;
        const char* menu;
        bool inContextMenu;
        QString statusTip;  // while enabled
        QString text;       // without a filter
    };
    std::vector<Built> built_;
    QMenuBar* menuBar_ = nullptr;
};

}  // namespace nexmar
