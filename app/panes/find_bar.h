#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "app/panes/system_filter.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QTimer;

namespace nexmar {

class ResultTreeModel;
class ResultTreeView;
class RunSession;

// The find field above the result tree, hidden until opened: what is typed
// there keeps the systems of the run shown that match it (a query, or else
// a text looked for in every item, name and note), says how many, and finds
// them in turn.
// Escape in the field clears it, shows the whole tree with its items open
// as they were, goes back to the item the find started from and hides the
// field. A text written as a query that does not read as one is shown as
// such under the field, with the fault's column.
class FindBar final : public QWidget {
    Q_OBJECT

public:
    FindBar(const RunSession& session, ResultTreeModel& model, ResultTreeView& view, QWidget* parent);

    // Shows the field with its text selected and gives it the focus.
    void Open();
    // Clears the field, shows every system and hides the field.
    void Close();
    // Filters the run by the field's text at once, rather than after the
    // pause in typing that it otherwise waits for.
    void ApplyNow();
    // A new run is shown: it is filtered by the text there is.
    void RunShown();
    // Moves the tree's current item to the next (or previous) item found.
    void FindNext() { Step(+1); }
    void FindPrevious() { Step(-1); }

    // The items of the systems the tree shows, in tree order.
    std::vector<ItemId> ShownSystems() const;
    // What keeps the systems shown: the field's text, or empty when the tree shows them all.
    QString FilterText() const;
    // Whether the tree shows only the systems the field's text keeps.
    bool Filtering() const { return filtering_; }
    // The items open and the current item of the tree.
    struct TreePlace {
        std::vector<ItemId> expanded;
        ItemId current = kNoItem;
    };
    TreePlace PlaceNow() const;
    // Makes change to what the model shows (the players' view or the
    // referee's), keeps the systems the field's text keeps of it, and opens
    // and selects again what it shows of place.
    void Reshow(const std::function<void()>& change, const TreePlace& place);
    // Takes a strip at the top of room while shown; returns what is left for the tree.
    QRect Place(const QRect& room);

signals:
    // Shown or hidden: the tree's room changes.
    void RoomChanged();
    // The systems the tree shows have changed: all of them, or some.
    void ShownChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Step(int direction);
    // Shows every system again, if some were left out; the items open stay open.
    void ShowEverySystem();
    // The items the tree shows open (inside items shown open), and opening
    // them again once the tree's systems have changed.
    std::vector<ItemId> ExpandedItems() const;
    void Expand(const std::vector<ItemId>& items);
    // A key of one of the window's commands, which the field then leaves to it.
    bool IsWindowShortcut(const QKeyEvent& key) const;
    void ShowCount();

    const RunSession& session_;
    ResultTreeModel& model_;
    ResultTreeView& view_;
    QLineEdit* field_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* message_ = nullptr;  // why the query typed is none
    ItemId beforeFind_ = kNoItem;  // the tree's current item when the field opened
    QTimer* pause_ = nullptr;
    SystemFilter filter_;
    bool filtering_ = false;  // the model shows filter_'s systems
};

}  // namespace nexmar
