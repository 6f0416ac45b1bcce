#include "app/commands/dialog_actions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <cstring>
#include <utility>


namespace nexmar {

namespace {

using Needs = DialogActions::Needs;

struct CommandRow {
    const char* menu;      // the menu bar's menu it is listed in
    const char* name;      // object name
    const char* text;
    const char* shortcut;  // portable text; empty for none
    const char* statusTip;
    Needs needs;
    bool separatorBefore;  // starts a group of its menu
    bool inContextMenu;
};

// In menu order; a menu appears where its first command is.
constexpr CommandRow kCommands[] = {
    {"&File", "openJsonAction", "&Open JSON...", "Ctrl+O", "Show a run saved as a JSON document", Needs::Nothing,
     false, true},
    {"&File", "openRecentAction", "Open &Recent", "", "Open a document opened or saved lately", Needs::Nothing,
     false, false},
    {"&File", "saveDocumentAction", "Sa&ve Sector", "Ctrl+Shift+S",
     "Save the sector, with its edits, as its JSON document", Needs::RunShown, false, true},
    {"&File", "saveDocumentAsAction", "Save Sector &As...", "",
     "Save the sector, with its edits, as a new JSON document", Needs::RunShown, false, false},
    {"&File", "saveAction", "&Save to File...", "Ctrl+S", "Save the latest run's report in the chosen output format",
     Needs::Reports, true, true},
    {"&File", "exportJsonAction", "&Export JSON...", "Ctrl+E", "Save the run shown as a JSON document",
     Needs::RunShown, false, true},
    {"&File", "exportPictureAction", "Export P&icture...", "",
     "Save the picture of the selected system as SVG or PNG", Needs::System, false, true},
    {"&File", "printAction", "&Print...", "Ctrl+P", "Print the systems the tree shows", Needs::RunShown, true,
     true},
    {"&File", "exportPdfAction", "Export P&DF...", "", "Save the systems the tree shows as a PDF document",
     Needs::RunShown, false, true},
    {"&File", "quitAction", "&Quit", "Ctrl+Q", "Close Nexmar", Needs::Nothing, true, false},
    {"&Edit", "copyTextAction", "&Copy as Text", "Ctrl+C",
     "Copy the current system's rows as the text report writes them", Needs::RunShown, false, true},
    {"&Edit", "renameAction", "Re&name System...", "F2", "Give the selected system a name of your own",
     Needs::System, false, true},
    {"&Edit", "rerollAction", "Reroll &System", "Ctrl+R", "Roll the selected system again from a fresh seed",
     Needs::System, true, true},
    {"&Edit", "rerollOthersAction", "Reroll &Others", "Ctrl+Shift+R",
     "Roll every system not locked again, each from a fresh seed", Needs::RunShown, false, true},
    {"&Edit", "lockAction", "&Lock System", "Ctrl+L", "Lock or unlock the selected system: Reroll Others leaves "
     "a locked system as it is", Needs::System, false, true},
    {"&Edit", "undoAction", "&Undo", "Ctrl+Z", "Undo the latest edit of the systems shown", Needs::RunShown, true,
     false},
    {"&Edit", "redoAction", "&Redo", "Ctrl+Shift+Z", "Redo the edit undone last", Needs::RunShown, false, false},
    {"&Run", "generateAction", "&Generate", "F5", "Generate the systems set on the left with a new seed",
     Needs::Nothing, false, true},
    {"&Run", "seedAction", "Generate with &Seed...", "Ctrl+G", "Generate the systems set on the left from a seed",
     Needs::Nothing, false, true},
    {"&Run", "copySeedAction", "&Copy Seed", "", "Copy the seed of the run shown, to repeat it later",
     Needs::RunShown, false, true},
    {"&Run", "statisticsAction", "Run S&tatistics...", "Ctrl+T",
     "Compare the run's rolled tables with their odds", Needs::RunShown, true, true},
    {"&View", "expandAllAction", "&Expand All", "", "Open every item of the result tree", Needs::RunShown, false,
     true},
    {"&View", "collapseAllAction", "C&ollapse All", "", "Close every open item of the result tree",
     Needs::RunShown, false, true},
    {"&View", "goToResultsAction", "Go to &Results", "F6", "Move the keyboard focus to the result tree",
     Needs::RunShown, true, true},
    {"&View", "showPictureAction", "Show &Picture", "F7", "Show or hide the picture of the selected system",
     Needs::RunShown, false, true},
    {"&View", "showLegendAction", "Show &Legend", "",
     "Show or hide the legend of shapes and zone colours under the picture and Export Picture", Needs::Nothing,
     false, false},
    {"&View", "showNotesAction", "Show No&tes", "F9", "Show or hide the notes on the selected system or object",
     Needs::RunShown, false, true},
    {"&View", "overviewAction", "&Sector Overview", "F8",
     "Show or hide a table of the systems shown, to compare and sort them", Needs::RunShown, false, true},
    {"&View", "playerViewAction", "Pla&yer View", "F4",
     "Show the sector as the players see it: no Secret system, \"?\" for each hidden field, their notes",
     Needs::RunShown, true, true},
    {"&View", "findAction", "&Find...", "Ctrl+F", "Keep the systems that hold a text or match a query",
     Needs::RunShown, true, true},
    {"&View", "findNextAction", "Find &Next", "F3", "Go to the next item found", Needs::RunShown, false, false},
    {"&View", "findPreviousAction", "Find Pre&vious", "Shift+F3", "Go to the previous item found",
     Needs::RunShown, false, false},
    {"&Players", "knownAction", "&Known", "Ctrl+1", "Let the players know the selected system", Needs::System,
     false, true},
    {"&Players", "rumouredAction", "&Rumoured", "Ctrl+2",
     "Let the players hear a rumour of the selected system: its name, stars and zones", Needs::System, false, true},
    {"&Players", "secretAction", "&Secret", "Ctrl+3", "Keep the selected system from the players", Needs::System,
     false, true},
    {"&Players", "hiddenFieldsAction", "&Hidden Fields...", "Ctrl+H",
     "Choose what the players may not see of the selected system", Needs::System, true, true},
    {"&Players", "playerNotesAction", "Player &Notes...", "",
     "Write notes on the selected system for the players' handout", Needs::System, false, true},
    {"&Players", "printHandoutAction", "&Print Handout...", "Ctrl+Shift+P",
     "Print what the players may see of the systems", Needs::RunShown, true, true},
    {"&Players", "exportHandoutPdfAction", "Export Handout P&DF...", "",
     "Save what the players may see of the systems as a PDF document", Needs::RunShown, false, true},
    {"&Help", "queryHelpAction", "&Query Language", "F1", "Show how to write a query for Find", Needs::Nothing,
     false, false},
    {"&Help", "aboutAction", "&About Nexmar...", "", "Show the program's version", Needs::Nothing, false, true},
};

// The commands on the item under the mouse, which the context menu lists
// first when it opens over the tree.
constexpr const char* kItemCommands[] = {"copyTextAction", "renameAction",      "rerollAction",
                                         "lockAction",     "exportPictureAction", "showPictureAction",
                                         "showNotesAction"};

// The commands that write the systems shown: with a filter on, the systems
// it keeps, as nexmar-cli --where writes them.
constexpr const char* kOutputCommands[] = {"saveAction", "exportJsonAction", "printAction", "exportPdfAction"};

// The commands Player View withholds, and why: those that show, copy or
// write the referee's figures of every system (a report, the JSON document
// with its seed), and those whose file dialogs, progress and errors would
// put the referee's file names on the screen the players watch.
constexpr const char* kRefereesFigures = " (Player View is on: it would show the referee's figures)";
constexpr const char* kRefereesFiles = " (Player View is on: it would show the referee's files)";
constexpr struct {
    const char* name;
    const char* why;
} kWithheldInPlayerView[] = {{"copyTextAction", kRefereesFigures},   {"overviewAction", kRefereesFigures},
                             {"statisticsAction", kRefereesFigures}, {"copySeedAction", kRefereesFigures},
                             {"saveAction", kRefereesFigures},       {"exportJsonAction", kRefereesFigures},
                             {"openJsonAction", kRefereesFiles},     {"openRecentAction", kRefereesFiles}};

// Why a command that needs what is not there is disabled, after its status tip.
const char* WhyDisabled(Needs needs)
{
    switch (needs) {
    case Needs::RunShown:
        return " (Generate or open a run first)";
    case Needs::Reports:
        return " (Generate a run first: there is no report yet)";
    case Needs::System:
        return " (Select a system, or an item in it, first)";
    case Needs::Nothing:
        break;
    }
    return "";
}

bool IsItemCommand(const QAction& action)
{
    for (const char* name : kItemCommands) {
        if (action.objectName() == QLatin1String(name)) {
            return true;
        }
    }
    return false;
}

}  // namespace

DialogActions::DialogActions(QWidget& window, const CommandOf& commandOf)
{
    menuBar_ = new QMenuBar(&window);
    menuBar_->setObjectName(QStringLiteral("menuBar"));
    QMenu* menu = nullptr;
    const char* menuTitle = "";
    for (const CommandRow& row : kCommands) {
        auto* action = new QAction(QString::fromLatin1(row.text), &window);
        action->setObjectName(QString::fromLatin1(row.name));
        if (*row.shortcut != '\0') {
            action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut), QKeySequence::PortableText));
            action->setShortcutVisibleInContextMenu(true);
        }
        action->setStatusTip(QString::fromLatin1(row.statusTip));
        if (std::function<void()> perform = commandOf(row.name)) {
            QObject::connect(action, &QAction::triggered, &window, std::move(perform));
        } else {
            action->setMenu(new QMenu(menuBar_));
        }
        window.addAction(action);
        if (std::strcmp(menuTitle, row.menu) != 0) {
            menuTitle = row.menu;
            menu = menuBar_->addMenu(QString::fromLatin1(row.menu));
        } else if (row.separatorBefore) {
            menu->addSeparator();
        }
        menu->addAction(action);
        built_.push_back({action, row.needs, row.menu, row.inContextMenu, QString::fromLatin1(row.statusTip),
                          QString::fromLatin1(row.text)});
    }
}

QAction* DialogActions::Action(const char* name) const
{
    for (const Built& built : built_) {
        if (built.action->objectName() == QLatin1String(name)) {
            return built.action;
        }
    }
    return nullptr;
}

QMenu* DialogActions::MakeContextMenu(QWidget* parent, bool overItem) const
{
    auto* menu = new QMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (overItem) {
        for (const char* name : kItemCommands) {
            menu->addAction(Action(name));
        }
    }
    const char* menuTitle = overItem ? "" : nullptr;
    for (const Built& built : built_) {
        if (!built.inContextMenu || (overItem && IsItemCommand(*built.action))) {
            continue;
        }
        if (menuTitle != nullptr && std::strcmp(menuTitle, built.menu) != 0) {
            menu->addSeparator();
        }
        menuTitle = built.menu;
        menu->addAction(built.action);
    }
    return menu;
}

void DialogActions::FollowFilter(std::optional<int> shown)
{
    for (const char* name : kOutputCommands) {
        QAction* action = Action(name);
        QString text;
        for (const Built& built : built_) {
            text = built.action == action ? built.text : text;
        }
        if (shown) {
            const bool ellipsis = text.endsWith(QStringLiteral("..."));
            text.chop(ellipsis ? 3 : 0);
            text += QStringLiteral(": %L1 system%2 shown%3")
                        .arg(*shown)
                        .arg(*shown == 1 ? QString() : QStringLiteral("s"), ellipsis ? QStringLiteral("...") : QString());
        }
        action->setText(text);
    }
}

QString DialogActions::Title(const char* name) const
{
    QString title = Action(name)->text().remove(QLatin1Char('&'));
    if (title.endsWith(QStringLiteral("..."))) {
        title.chop(3);
    }
    return title;
}

void DialogActions::Follow(bool runShown, bool reportsKept, bool systemSelected)
{
    for (const Built& built : built_) {
        const bool enabled = built.needs == Needs::Nothing || (built.needs == Needs::RunShown && runShown) ||
                             (built.needs == Needs::Reports && reportsKept) ||
                             (built.needs == Needs::System && systemSelected);
        built.action->setEnabled(enabled);
        built.action->setStatusTip(enabled ? built.statusTip
                                           : built.statusTip + QString::fromLatin1(WhyDisabled(built.needs)));
    }
}

void DialogActions::FollowPlayerView(bool on)
{
    if (!on) {
        return;
    }
    for (const auto& [name, why] : kWithheldInPlayerView) {
        QAction* action = Action(name);
        if (action->isEnabled()) {
            action->setEnabled(false);
            action->setStatusTip(action->statusTip() + QString::fromLatin1(why));
        }
    }
}

}  // namespace nexmar
