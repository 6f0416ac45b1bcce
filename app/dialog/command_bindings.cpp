// What each command of the window does: its row in the command table
// (DialogActions) names it, and this table binds the name to the dialog's
// function. A command without one here opens a submenu the dialog fills.
#include <cstring>

#include "app/dialog/generator_dialog.h"

namespace nexmar {

namespace {

struct Binding {
    const char* name;  // the action's object name
    void (GeneratorDialog::*perform)();
};

constexpr Binding kBindings[] = {
    {"openJsonAction", &GeneratorDialog::OpenJson},
    {"saveDocumentAction", &GeneratorDialog::SaveDocument},
    {"saveDocumentAsAction", &GeneratorDialog::SaveDocumentAs},
    {"saveAction", &GeneratorDialog::SaveToFile},
    {"exportJsonAction", &GeneratorDialog::ExportJson},
    {"exportPictureAction", &GeneratorDialog::ExportPicture},
    {"printAction", &GeneratorDialog::Print},
    {"exportPdfAction", &GeneratorDialog::ExportPdf},
    {"quitAction", &GeneratorDialog::Quit},
    {"copyTextAction", &GeneratorDialog::CopyAsText},
    {"renameAction", &GeneratorDialog::RenameSystem},
    {"rerollAction", &GeneratorDialog::RerollSystem},
    {"rerollOthersAction", &GeneratorDialog::RerollOthers},
    {"lockAction", &GeneratorDialog::LockSystem},
    {"undoAction", &GeneratorDialog::Undo},
    {"redoAction", &GeneratorDialog::Redo},
    {"generateAction", &GeneratorDialog::Generate},
    {"seedAction", &GeneratorDialog::GenerateWithSeed},
    {"copySeedAction", &GeneratorDialog::CopySeed},
    {"statisticsAction", &GeneratorDialog::ShowStatistics},
    {"expandAllAction", &GeneratorDialog::ExpandAll},
    {"collapseAllAction", &GeneratorDialog::CollapseAll},
    {"goToResultsAction", &GeneratorDialog::GoToResults},
    {"showPictureAction", &GeneratorDialog::ShowPicture},
    {"showLegendAction", &GeneratorDialog::ShowLegend},
    {"showNotesAction", &GeneratorDialog::ShowNotes},
    {"overviewAction", &GeneratorDialog::ShowOverview},
    {"playerViewAction", &GeneratorDialog::ShowPlayerView},
    {"findAction", &GeneratorDialog::Find},
    {"findNextAction", &GeneratorDialog::FindNext},
    {"findPreviousAction", &GeneratorDialog::FindPrevious},
    {"knownAction", &GeneratorDialog::MakeKnown},
    {"rumouredAction", &GeneratorDialog::MakeRumoured},
    {"secretAction", &GeneratorDialog::MakeSecret},
    {"hiddenFieldsAction", &GeneratorDialog::ChooseHiddenFields},
    {"playerNotesAction", &GeneratorDialog::EditPlayerNotes},
    {"printHandoutAction", &GeneratorDialog::PrintHandout},
    {"exportHandoutPdfAction", &GeneratorDialog::ExportHandoutPdf},
    {"queryHelpAction", &GeneratorDialog::ShowQueryHelp},
    {"aboutAction", &GeneratorDialog::ShowAbout},
};

}  // namespace

std::function<void()> GeneratorDialog::CommandOf(const char* name)
{
    for (const Binding& binding : kBindings) {
        if (std::strcmp(binding.name, name) == 0) {
            return [this, perform = binding.perform] { (this->*perform)(); };
        }
    }
    return {};
}

}  // namespace nexmar
