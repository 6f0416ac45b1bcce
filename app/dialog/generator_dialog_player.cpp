// What the players may see of the systems shown: each system known,
// rumoured or secret to them, the fields kept from them, the notes written
// for them, the handout that prints what they may see and no more, and the
// Player View that shows it in the window.
#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include <memory>
#include <numeric>
#include <optional>
#include <vector>

#include "app/commands/dialog_actions.h"
#include "app/document/hidden_fields_command.h"
#include "app/document/note_command.h"
#include "app/document/sector_document.h"
#include "app/document/visibility_command.h"
#include "app/panes/find_bar.h"
#include "app/dialog/generator_dialog.h"
#include "app/panes/notes_pane.h"
#include "app/panes/overview_pane.h"
#include "app/panes/picture_pane.h"
#include "app/panes/result_tree_model.h"
#include "app/printing/run_printer.h"
#include "app/windows/statistics_window.h"
#include "app/kit/user_prompts.h"
#include "gen/names/sector_edits.h"

namespace nexmar {

namespace {

// What the players may see of the system: its visibility's, when the
// referee made nothing of it.
SystemEdits EditsOf(const RunRecords& records, std::size_t place)
{
    const SystemEdits* edits = records.Edits().Find(records.NumberAt(place));
    return edits != nullptr ? *edits : SystemEdits{};
}

// Every system of places (every one when null) the players know of or
// heard of, in the order of the run, with no word of the run's seed or of
// how many systems it holds.
PrintRequest HandoutRequest(const RunRecords& records, std::optional<std::vector<std::size_t>> places = {})
{
    if (!places) {
        places.emplace(records.size());
        std::iota(places->begin(), places->end(), std::size_t{0});
    }
    PrintRequest request;
    for (const std::size_t place : *places) {
        if (PlayerSystemOf(records.Edits(), records.NumberAt(place))) {
            request.places.push_back(place);
        }
    }
    request.run = QStringLiteral("Player handout");
    request.selection = QStringLiteral("%L1 system%2").arg(request.places.size()).arg(request.places.size() == 1 ? "" : "s");
    request.players = &records.Edits();
    return request;
}

}  // namespace

std::string GeneratorDialog::ShownName(std::size_t place) const
{
    const RunRecords& records = session_.Records();
    if (place >= records.size()) {
        return {};
    }
    std::string name = records.Edits().Name(records.NumberAt(place));
    const Visibility visibility = EditsOf(records, place).visibility;
    if (visibility != Visibility::Known) {
        name.append(" (").append(VisibilityName(visibility)).append(")");
    }
    return name;
}

void GeneratorDialog::SetVisibility(Visibility visibility)
{
    const std::optional<std::size_t> place = picture_->SelectedSystem();
    if (!place || !session_.HasRun() || EditsOf(session_.Records(), *place).visibility == visibility) {
        return;
    }
    const std::size_t places[] = {*place};
    document_->Edit(std::make_unique<VisibilityCommand>(*document_, places, visibility));
}

void GeneratorDialog::MakeKnown()
{
    SetVisibility(Visibility::Known);
}

void GeneratorDialog::MakeRumoured()
{
    SetVisibility(Visibility::Rumoured);
}

void GeneratorDialog::MakeSecret()
{
    SetVisibility(Visibility::Secret);
}

void GeneratorDialog::ChooseHiddenFields()
{
    const std::optional<std::size_t> place = picture_->SelectedSystem();
    if (!place || !session_.HasRun()) {
        return;
    }
    const RunRecords& records = session_.Records();
    const PlayerFields hidden = EditsOf(records, *place).Hidden();
    const std::optional<PlayerFields> chosen =
        prompts_.AskHiddenFields(this, QStringLiteral("Hidden Fields of System %1").arg(records.NumberAt(*place)),
                                 PlayerFieldsOf(LevelOf(records.At(*place))), hidden);
    if (chosen && *chosen != hidden) {
        document_->Edit(std::make_unique<HiddenFieldsCommand>(*document_, *place, *chosen));
    }
}

void GeneratorDialog::EditPlayerNotes()
{
    const std::optional<std::size_t> place = picture_->SelectedSystem();
    if (!place || !session_.HasRun()) {
        return;
    }
    const RunRecords& records = session_.Records();
    const int number = records.NumberAt(*place);
    const std::string notes = EditsOf(records, *place).playerNotes;
    const std::optional<QString> answer = prompts_.AskNotes(
        this, QStringLiteral("Player Notes on System %1").arg(number), QString::fromStdString(notes));
    if (!answer || answer->toStdString() == notes) {
        return;
    }
    const std::string text = answer->toStdString();
    if (const std::string fault = NoteFault(text); !fault.empty()) {
        prompts_.ShowMessage(this, QStringLiteral("The notes on System %1 are not kept: %2.")
                                       .arg(number)
                                       .arg(QString::fromStdString(fault)));
        return;
    }
    NoteTarget system;
    system.place = *place;
    document_->Edit(std::make_unique<NoteCommand>(*document_, system, NoteKind::Players, text, std::nullopt));
}

void GeneratorDialog::PrintHandout()
{
    if (session_.HasRun()) {
        PrintPages(HandoutRequest(session_.Records()));
    }
}

void GeneratorDialog::ExportHandoutPdf()
{
    if (session_.HasRun()) {
        WritePdf(HandoutRequest(session_.Records()), actions_->Title("exportHandoutPdfAction"));
    }
}

PrintRequest GeneratorDialog::PlayersRequest() const
{
    return HandoutRequest(session_.Records(), KeptPlaces());
}

void GeneratorDialog::ShowPlayerView()
{
    FindBar::TreePlace place = findBar_->PlaceNow();
    if (!playerView_) {
        refereeExpanded_ = place.expanded;
        refereeCurrent_ = place.current;
    } else {
        // What the referee had open stays open, with what was opened since.
        place.expanded.insert(place.expanded.end(), refereeExpanded_.begin(), refereeExpanded_.end());
        place.current = place.current != kNoItem ? place.current : refereeCurrent_;
    }
    playerView_ = !playerView_;
    findBar_->Reshow([this] { FollowPlayerView(); }, place);
    FollowAudience();
}

void GeneratorDialog::FollowPlayerView()
{
    if (session_.HasRun()) {
        model_->ShowToPlayers(playerView_ ? std::make_shared<PlayerTree>(session_.Tree(), session_.Records())
                                          : nullptr);
    }
}

void GeneratorDialog::BuildPlayerView()
{
    actions_->Action("playerViewAction")->setCheckable(true);
    // Beside the status bar's messages, in the handout's colour of a Known system.
    playerViewMark_ = new QLabel(QStringLiteral(" Player View: what the players see "), statusBar_);
    playerViewMark_->setObjectName(QStringLiteral("playerViewMark"));
    playerViewMark_->setStyleSheet(QStringLiteral("background: #0072B2; color: white; font-weight: bold"));
    statusBar_->addPermanentWidget(playerViewMark_);
    playerViewMark_->hide();
}

void GeneratorDialog::FollowAudience()
{
    playerViewMark_->setVisible(playerView_);
    FollowWindowTitle();
    actions_->Action("playerViewAction")->setChecked(playerView_);
    // The overview and the statistics count every system, Secret ones too:
    // the players' view shows neither.
    if (playerView_ && picture_->IsPaneShown(*overview_)) {
        picture_->ShowPane(*overview_, false);
        actions_->Action("overviewAction")->setChecked(false);
    }
    if (playerView_) {
        for (StatisticsWindow* window : findChildren<StatisticsWindow*>()) {
            window->close();
        }
    }
    picture_->ShowToPlayers(playerView_);
    notes_->ShowRefereeNotes(!playerView_);
    FollowSelection();
}

}  // namespace nexmar
