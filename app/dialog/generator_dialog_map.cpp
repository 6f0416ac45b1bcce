// The sector map in the dialog: the pane beside the tree, the Map menu, and
// what the map follows (the run shown and its edits, the selection, the
// finds, Player View). The map itself lives in app/map/; this file only
// wires it to the dialog and its document.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <span>
#include <string_view>

#include "app/commands/dialog_actions.h"
#include "app/dialog/generator_dialog.h"
#include "app/document/sector_document.h"
#include "app/kit/user_prompts.h"
#include "app/map/map_export.h"
#include "app/map/map_pane.h"
#include "app/panes/find_bar.h"
#include "app/panes/picture_pane.h"
#include "app/panes/result_tree_model.h"
#include "app/panes/system_filter.h"

namespace nexmar {

namespace {

struct MapCommand {
    const char* name;
    const char* text;
    const char* shortcut;
    const char* statusTip;
    void (GeneratorDialog::*perform)();
};

// In menu order, after a separator once the map's view is dealt with.
constexpr MapCommand kMapCommands[] = {
    {"showMapAction", "Show &Map", "Ctrl+M", "Show or hide the sector map beside the tree", &GeneratorDialog::ShowMap},
    {"fitMapAction", "&Fit Map", "", "Zoom the map to show its whole sector", &GeneratorDialog::FitMap},
    {"exportMapAction", "&Export Map...", "", "Save the sector shown on the map as SVG, PNG or PDF",
     &GeneratorDialog::ExportMap},
    {"printMapAction", "&Print Map...", "", "Print the sector shown on the map on one page",
     &GeneratorDialog::PrintMap},
    {"printSubsectorsAction", "Print &Subsectors...", "",
     "Print the subsectors of the sector shown on the map, one to a page", &GeneratorDialog::PrintSubsectors},
};
constexpr const char* kFirstOfOutputs = "exportMapAction";
constexpr const char* kNeedsRun = " (Generate or open a run first)";

}  // namespace

void GeneratorDialog::BuildMapPane()
{
    map_ = new MapPane;
    picture_->AddPane(*map_);
    // A system's first line in the tree (its base stats, or its main star),
    // as the tree shows it now: the players' line in Player View.
    map_->SetDescription([this](std::size_t place) {
        const std::span<const ItemId> systems = SystemItems(*session_.Tree());
        return place < systems.size() && model_->Shows(systems[place])
                   ? model_->index(0, 0, model_->IndexOf(systems[place])).data().toString()
                   : QString();
    });
    connect(map_, &MapPane::SystemActivated, this, [this](std::size_t place) {
        // A system the find leaves out of the tree cannot be its current item.
        const std::span<const ItemId> systems = SystemItems(*session_.Tree());
        if (place < systems.size() && !model_->Shows(systems[place])) {
            Tell(QStringLiteral("System %1 is not among the systems the find keeps")
                     .arg(session_.Records().NumberAt(place)));
            return;
        }
        SelectSystem(place);
    });
    connect(picture_, &PicturePane::SelectedSystemChanged, this,
            [this] { map_->SelectSystem(picture_->SelectedSystem()); });
    // Another run, Player View turned and a find all reset the model; the
    // document says when an edit, its undoing or its redoing changed systems.
    connect(model_, &QAbstractItemModel::modelReset, this, &GeneratorDialog::FollowMap);
    connect(document_, &SectorDocument::SystemsChanged, this, &GeneratorDialog::FollowMap);
    connect(findBar_, &FindBar::ShownChanged, this,
            [this] { map_->HighlightSystems(KeptPlaces().value_or(std::vector<std::size_t>{})); });

    QMenuBar* bar = actions_->MenuBar();
    auto* menu = new QMenu(QStringLiteral("&Map"), bar);
    menu->setObjectName(QStringLiteral("mapMenu"));
    // After the View menu, whose panes it joins.
    QAction* players = nullptr;
    for (QAction* entry : bar->actions()) {
        players = entry->text() == QLatin1String("&Players") ? entry : players;
    }
    bar->insertMenu(players, menu);
    for (const MapCommand& command : kMapCommands) {
        auto* action = new QAction(QString::fromLatin1(command.text), this);
        action->setObjectName(QString::fromLatin1(command.name));
        if (*command.shortcut != '\0') {
            action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut), QKeySequence::PortableText));
        }
        action->setStatusTip(QString::fromLatin1(command.statusTip));
        connect(action, &QAction::triggered, this, command.perform);
        addAction(action);
        if (std::string_view(command.name) == kFirstOfOutputs) {
            menu->addSeparator();
        }
        menu->addAction(action);
    }
    findChild<QAction*>(QStringLiteral("showMapAction"))->setCheckable(true);
    FollowMap();
}

void GeneratorDialog::FollowMap()
{
    const bool run = session_.HasRun();
    for (const MapCommand& command : kMapCommands) {
        QAction* action = findChild<QAction*>(QString::fromLatin1(command.name));
        action->setEnabled(run);
        action->setStatusTip(QString::fromLatin1(command.statusTip) + (run ? "" : kNeedsRun));
    }
    if (!run) {
        map_->Clear();
        return;
    }
    map_->ShowRun(session_.Description(), session_.Records().AsLoadedRun(),
                  playerView_ ? MapAudience::Players : MapAudience::Referee);
    map_->SelectSystem(picture_->SelectedSystem());
    map_->HighlightSystems(KeptPlaces().value_or(std::vector<std::size_t>{}));
}

void GeneratorDialog::ShowMap()
{
    const bool show = !picture_->IsPaneShown(*map_);
    if (show && !isMaximized() && !isFullScreen()) {
        resize(width() + picture_->GrowthToShow(*map_), height());
    }
    picture_->ShowPane(*map_, show);
    findChild<QAction*>(QStringLiteral("showMapAction"))->setChecked(show);
    if (show) {
        map_->setFocus(Qt::ShortcutFocusReason);
    }
}

void GeneratorDialog::FitMap()
{
    map_->Fit();
}

MapExport GeneratorDialog::MapExporter()
{
    return MapExport({
        .askName = [this](const QString& filter, const QString& suffix,
                          const QString& title) { return AskSaveName(qPrintable(filter), qPrintable(suffix), title); },
        .save = [this](const QString& name, const std::function<bool(QSaveFile&)>& write,
                       const QString& done) { WriteWhole(name, write, done); },
        .refuse = [this](const QString& text) { prompts_.ShowMessage(this, text); },
        .preview = [this](const std::function<void(QPrinter&)>& paint) { prompts_.ShowPrintPreview(this, paint); },
    });
}

void GeneratorDialog::ExportMap()
{
    if (session_.HasRun()) {
        MapExporter().Export(map_->Map());
    }
}

void GeneratorDialog::PrintMap()
{
    if (session_.HasRun()) {
        MapExporter().Print(map_->Map(), MapPages::Sector);
    }
}

void GeneratorDialog::PrintSubsectors()
{
    if (session_.HasRun()) {
        MapExporter().Print(map_->Map(), MapPages::Subsectors);
    }
}

}  // namespace nexmar
