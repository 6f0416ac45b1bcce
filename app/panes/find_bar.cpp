#include "app/panes/find_bar.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

#include "app/panes/result_tree_model.h"
#include "app/panes/result_tree_view.h"
#include "app/document/run_session.h"

namespace nexmar {

namespace {

// Long enough that typing a word filters once, short enough to feel live.
constexpr int kTypingPauseMs = 250;

// The keys the field keeps for editing its text, though the window has a
// command on one of them (Ctrl+C copies the field's selected text).
constexpr QKeySequence::StandardKey kEditingKeys[] = {QKeySequence::Copy,      QKeySequence::Cut,
                                                      QKeySequence::Paste,     QKeySequence::SelectAll,
                                                      QKeySequence::Undo,      QKeySequence::Redo};

}  // namespace

bool FindBar::IsWindowShortcut(const QKeyEvent& key) const
{
    for (const QKeySequence::StandardKey editing : kEditingKeys) {
        if (key.matches(editing)) {
            return false;
        }
    }
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* action : window()->actions()) {
        if (action->isEnabled() && action->shortcuts().contains(pressed)) {
            return true;
        }
    }
    return false;
}

FindBar::FindBar(const RunSession& session, ResultTreeModel& model, ResultTreeView& view, QWidget* parent)
    : QWidget(parent), session_(session), model_(model), view_(view)
{
    setObjectName(QStringLiteral("findBar"));
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("findField"));
    field_->setPlaceholderText(QStringLiteral("Find text, or a query such as: gaia"));
    field_->setClearButtonEnabled(true);
    field_->installEventFilter(this);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("findCount"));
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("findMessage"));
    message_->setStyleSheet(QStringLiteral("color: #b00000"));
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message_->setVisible(false);
    auto* line = new QHBoxLayout;
    line->addWidget(field_, 1);
    line->addWidget(count_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(line);
    layout->addWidget(message_);
    pause_ = new QTimer(this);
    pause_->setSingleShot(true);
    pause_->setInterval(kTypingPauseMs);
    connect(pause_, &QTimer::timeout, this, &FindBar::ApplyNow);
    connect(field_, &QLineEdit::textChanged, pause_, qOverload<>(&QTimer::start));
    setVisible(false);
}

void FindBar::Open()
{
    if (isHidden()) {
        beforeFind_ = model_.ItemOf(view_.currentIndex());
        setVisible(true);
        emit RoomChanged();
    }
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
}

void FindBar::Close()
{
    pause_->stop();
    field_->clear();
    ApplyNow();
    // Back to the item the user was on before the find.
    if (model_.Shows(beforeFind_)) {
        const QModelIndex before = model_.IndexOf(beforeFind_);
        view_.setCurrentIndex(before);
        view_.scrollTo(before);
    }
    if (field_->hasFocus()) {
        view_.setFocus(Qt::OtherFocusReason);
    }
    setVisible(false);
    emit RoomChanged();
}

void FindBar::ApplyNow()
{
    pause_->stop();
    const QString text = field_->text().trimmed();
    if (!session_.HasRun() || text.isEmpty()) {
        filter_ = {};
        ShowEverySystem();
        ShowCount();
        emit ShownChanged();
        return;
    }
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        filter_ = FilterSystems(session_, text, model_.Players());
        QApplication::restoreOverrideCursor();
    }
    if (!filter_.refusal.isEmpty()) {
        // The tree stays whole while the query is mended.
        ShowEverySystem();
    } else {
        const std::vector<ItemId> expanded = ExpandedItems();
        model_.KeepSystems(filter_.systems, filter_.matches);
        Expand(expanded);
        filtering_ = true;
    }
    ShowCount();
    emit ShownChanged();
}

void FindBar::ShowEverySystem()
{
    if (std::exchange(filtering_, false)) {
        const std::vector<ItemId> expanded = ExpandedItems();
        model_.ShowEverySystem();
        Expand(expanded);
    }
}

std::vector<ItemId> FindBar::ExpandedItems() const
{
    std::vector<ItemId> expanded;
    std::vector<QModelIndex> open{model_.index(0, 0)};
    while (!open.empty()) {
        const QModelIndex item = open.back();
        open.pop_back();
        if (!item.isValid() || !view_.isExpanded(item)) {
            continue;
        }
        expanded.push_back(model_.ItemOf(item));
        for (int row = 0; row < model_.rowCount(item); ++row) {
            const QModelIndex child = model_.index(row, 0, item);
            if (model_.hasChildren(child)) {
                open.push_back(child);
            }
        }
    }
    return expanded;
}

void FindBar::Expand(const std::vector<ItemId>& items)
{
    for (const ItemId item : items) {
        if (model_.Shows(item)) {
            view_.expand(model_.IndexOf(item));
        }
    }
}

void FindBar::RunShown()
{
    filtering_ = false;
    ApplyNow();
}

std::vector<ItemId> FindBar::ShownSystems() const
{
    if (filtering_) {
        return filter_.systems;
    }
    if (!session_.HasRun()) {
        return {};
    }
    if (model_.Players() != nullptr) {
        return model_.Players()->Systems();
    }
    const std::span<const ItemId> systems = SystemItems(*session_.Tree());
    return std::vector<ItemId>(systems.begin(), systems.end());
}

FindBar::TreePlace FindBar::PlaceNow() const
{
    return {ExpandedItems(), model_.ItemOf(view_.currentIndex())};
}

void FindBar::Reshow(const std::function<void()>& change, const TreePlace& place)
{
    change();
    filtering_ = false;
    ApplyNow();
    Expand(place.expanded);
    if (model_.Shows(place.current)) {
        view_.setCurrentIndex(model_.IndexOf(place.current));
    }
}

QString FindBar::FilterText() const
{
    return filtering_ ? field_->text() : QString();
}

QRect FindBar::Place(const QRect& room)
{
    if (isHidden()) {
        return room;
    }
    const int height = sizeHint().height();
    setGeometry(room.x(), room.y(), room.width(), height);
    return room.adjusted(0, height + 2, 0, 0);
}

void FindBar::ShowCount()
{
    // A query that is none says why under the field, where it is typed.
    const bool hadMessage = message_->isVisibleTo(this);
    message_->setText(filter_.refusal);
    message_->setVisible(!filter_.refusal.isEmpty());
    if (hadMessage != message_->isVisibleTo(this) && isVisible()) {
        emit RoomChanged();
    }
    if (!filtering_) {
        count_->setText(filter_.refusal.isEmpty() ? QString() : QStringLiteral("not a query"));
        field_->setToolTip(QString());
        return;
    }
    const std::size_t all = model_.Players() != nullptr ? model_.Players()->Systems().size()
                                                        : SystemItems(*session_.Tree()).size();
    count_->setText(QStringLiteral("%L1 of %L2 system%3")
                        .arg(filter_.systems.size())
                        .arg(all)
                        .arg(all == 1 ? QString() : QStringLiteral("s")));
    field_->setToolTip(filter_.isQuery ? QStringLiteral("Kept by the query")
                                       : QStringLiteral("Looked for as text; as a query: %1").arg(filter_.notAQuery));
}

void FindBar::Step(int direction)
{
    if (pause_->isActive()) {
        ApplyNow();
    }
    const std::vector<ItemId>& matches = filter_.matches;
    if (matches.empty()) {
        return;
    }
    const ItemId current = model_.ItemOf(view_.currentIndex());
    const auto at = std::find(matches.begin(), matches.end(), current);
    std::ptrdiff_t next = 0;
    if (at != matches.end()) {
        const auto count = static_cast<std::ptrdiff_t>(matches.size());
        next = ((at - matches.begin()) + direction + count) % count;
    } else if (direction < 0) {
        next = static_cast<std::ptrdiff_t>(matches.size()) - 1;
    }
    const QModelIndex index = model_.IndexOf(matches[static_cast<std::size_t>(next)]);
    view_.setCurrentIndex(index);
    view_.scrollTo(index);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field_ && event->type() == QEvent::ShortcutOverride &&
        IsWindowShortcut(*static_cast<QKeyEvent*>(event))) {
        // The field would take the key for itself (Ctrl+E moves to the end of
        // its line); the window's command comes first.
        event->ignore();
        return true;
    }
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        // Both would otherwise reach the dialog: Escape would close it, and
        // Return would press Generate.
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Escape:
            Close();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            ApplyNow();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace nexmar
