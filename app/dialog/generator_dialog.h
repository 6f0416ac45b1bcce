#pragma once

#include <QDialog>
#include <QStringList>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/kit/background_work.h"
#include "app/document/run_session.h"
#include "app/files/save_whole.h"
#include "model/note_target.h"
#include "model/system_count.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPagedPaintDevice;
class QPushButton;
class QSaveFile;
class QStatusBar;

namespace nexmar {

class DialogActions;
class SectorDocument;
class FindBar;
class MapExport;
class MapPane;
class NotesPane;
class OverviewPane;
class PicturePane;
struct PrintRequest;
class ResultTreeModel;
class ResultTreeView;
class UserPrompts;

enum class OutputFormat { DelimitedText = 0, Html = 1 };

inline constexpr const char* kWindowTitle = "Tolvik Nexmar";
// After the title while the sector shown has edits not saved yet.
inline constexpr const char* kModifiedMark = " *";
inline constexpr const char* kNoReportToSave = "No report of the latest run to save.";
inline constexpr const char* kSaveOpenFailed = "Failed to open file for save.";
inline constexpr const char* kNoPictureToExport = "Select an item of a system to export its picture.";
inline constexpr const char* kPictureFormatRefused = "A picture is saved as .svg, .png or .pdf: choose one of these.";
// How long the status bar says what a save, an export or a copy did.
inline constexpr int kToldForMs = 5000;
inline constexpr const char* kSaveWriteFailed = "Failed to write file for save.\nThe file was left as it was.";

// The program's one window: the inputs of a run, the result tree, the
// buttons and the menus. It is layout and wiring: what is shown and saved
// is held by the sector's document, whose signals the views follow; the
// commands are built once by DialogActions, and runs and file opening go
// to a worker thread.
class GeneratorDialog final : public QDialog {
    Q_OBJECT

public:
    // seeds: where every run that asks for no seed takes its own (a number:
    // the first run's seed, then a sequence seeded with it). reportDirectory: where every run writes
    // its two reports. Recovery copies are kept in the user's folder for them.
    GeneratorDialog(UserPrompts& prompts, SeedSource seeds, const std::filesystem::path& reportDirectory,
                    QWidget* parent = nullptr);
    ~GeneratorDialog() override;

    // The commands, each reached from the menu bar, the context menu and
    // its shortcut.
    void Generate();
    // Asks for a seed and runs with it and the current options.
    void GenerateWithSeed();
    void CopySeed();
    // Saves the latest run's report in the chosen output format, whatever
    // the number field says now.
    void SaveToFile();
    void ExportJson();
    // Saves the picture of the selected system as SVG, or as PNG at twice its size.
    void ExportPicture();
    // Shows the run saved in a JSON document, as the run that wrote it showed it.
    void OpenJson();
    // As OpenJson, with the file named already: `nexmar FILE`.
    void OpenFile(const QString& name);
    void ExpandAll();
    void CollapseAll();
    // Moves the keyboard focus to the result tree, which Tab passes by.
    void GoToResults();
    // Shows or hides the picture beside the tree, widening the window to make room.
    void ShowPicture();
    // Draws the legend of shapes and zone colours under the picture, and
    // under what Export Picture writes, or leaves it out again.
    void ShowLegend();
    // Shows or hides the overview beside the tree, a row for each system it
    // shows, widening the window to make room.
    void ShowOverview();
    void ShowAbout();
    // The query language's page, in a window beside the dialog.
    void ShowQueryHelp();
    // Opens a window with the statistics of the run shown.
    void ShowStatistics();
    void Quit();
    // Find, printing and copying: generator_dialog_find.cpp.
    void Find();
    void FindNext();
    void FindPrevious();
    void Print();
    void ExportPdf();
    void CopyAsText();
    // Edits of the systems shown, each undone and redone on the undo
    // stack: generator_dialog_edit.cpp.
    void RenameSystem();
    void Undo();
    void Redo();
    // What the players may see of the systems, and their handout:
    // generator_dialog_player.cpp.
    void MakeKnown();
    void MakeRumoured();
    void MakeSecret();
    void ChooseHiddenFields();
    void EditPlayerNotes();
    void PrintHandout();
    void ExportHandoutPdf();
    // Shows the tree, the picture, the notes and the finds as the players
    // see the sector, or again as the referee does.
    void ShowPlayerView();
    // Rolls the selected system again from a fresh seed; Reroll Others,
    // every system not locked. Lock System locks or unlocks the selected
    // system: generator_dialog_reroll.cpp.
    void RerollSystem();
    void RerollOthers();
    void LockSystem();
    // Shows or hides the notes on the selected system or object beside the
    // tree: generator_dialog_notes.cpp.
    void ShowNotes();
    // The sector as a document: generator_dialog_document.cpp. Save writes
    // the file the sector was opened from or last saved as, or asks for one.
    void SaveDocument();
    void SaveDocumentAs();
    // Opens a document of the Open Recent list.
    void OpenRecent(const QString& name);
    // Offers to restore the edits a dialog that ended without closing left
    // in a recovery copy, if any; at the program's start.
    void OfferRecovery();
    // The sector map: generator_dialog_map.cpp. Export and print the sector
    // the map shows.
    void ShowMap();
    void FitMap();
    void ExportMap();
    void PrintMap();
    void PrintSubsectors();

    const RunSession& Session() const { return session_; }

protected:
    // Closing the window, Escape and Quit: unsaved edits are asked about first.
    void reject() override;
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the command of that name does (the public functions above);
    // none for a submenu: command_bindings.cpp.
    std::function<void()> CommandOf(const char* name);
    void BuildControls();
    void BuildPicturePane();
    void BuildOverviewPane();
    // The overview follows the systems shown, while it is open.
    void FollowOverview();
    // The system at place (among the run's records) becomes the tree's current item.
    void SelectSystem(std::size_t place);
    // Reads the controls into inputs_, the number field first; returns how
    // the number field read.
    CountParse ReadInputs();
    void RejectCount(CountParse result);
    // One run from seed, or from the next seed of the sequence when none is
    // given; a count the field refuses runs nothing and takes no seed.
    void RunFromSeed(std::optional<Seed> seed);
    // Renders a run on the worker thread; false when the user cancelled it,
    // and the run shown stays as it was.
    bool Render(const QString& label, const std::function<std::optional<RenderedRun>(const std::atomic<bool>&,
                                                                                     WorkProgress&)>& work);
    // The views follow the document: each connects to what it shows.
    void ListenToDocument();
    // Shows the document's new run: its tree, and the actions it enables.
    void ShowDocumentRun();
    // The tree shows the run rendered anew from its records, its items open
    // and its current item where they were.
    void FollowRerolled();
    void TellMessages(const QStringList& messages);
    void FollowSession();
    // The actions that need a selected system; the find field keeps its
    // systems, since it resets the tree's model, which moves the selection.
    void FollowSelection();
    // The check marks of the selected system's lock and visibility.
    void FollowMarks();
    // Writes the file name through write, replacing an earlier file only
    // once the whole of it is written.
    void WriteWhole(const QString& name, const std::function<bool(QSaveFile&)>& write, const QString& done = {});
    // Writes the whole of a file, or false on a write error; it stops early
    // (throwing RenderCancelled) once cancel turns true.
    using FileWriter = std::function<bool(QSaveFile&, const std::atomic<bool>& cancel, WorkProgress&)>;
    // As WriteWhole, on the worker behind a progress window; a cancel leaves
    // the file as it was. Whether the whole file was written.
    bool WriteWholeInBackground(const QString& name, const FileWriter& write, const QString& done = {});
    // A failure in a message box; done, if any, in the status bar once written.
    void TellSaveOutcome(SaveOutcome outcome, const QString& done = {});
    // Says in the status bar, for a few seconds, what a command did.
    void Tell(const QString& done);
    // The save-file dialog, opened in the folder last saved to; remembers
    // the folder of the name chosen.
    // title: the command's, "Export JSON: 6 systems shown" while a filter is on.
    QString AskSaveName(const char* filter, const char* defaultSuffix, const QString& title = {});
    // Asks for a PDF file's name (title: the save box's, or the default) and
    // writes request's pages into it, all or nothing, beside the window.
    void WritePdf(const PrintRequest& request, const QString& title);
    // Prints request's pages through the print preview, beside the window.
    void PrintPages(const PrintRequest& request);
    void RememberFolder(const QString& fileName);
    // The folder the last save or open went to, in this run of the program or an earlier one.
    static QString RememberedFolder();
    void ShowExpandButton(bool expand);
    // The tree takes the room the dialog gained, less the find field's strip.
    void PlaceTree();
    // The systems the tree shows, to print, with the run and the selection
    // named for the pages' header.
    PrintRequest ShownRequest() const;
    // Paints request on device behind a progress window; false when
    // cancelled or when the device failed.
    bool PrintInBackground(QPagedPaintDevice& device, const PrintRequest& request, const QString& label);
    // The places of the systems a filter keeps; nothing while none is on.
    std::optional<std::vector<std::size_t>> KeptPlaces() const;
    // The edits' undo stack, its shortcuts and the names beside the systems.
    void BuildEditing();
    // The selected system becomes known, rumoured or secret to the players.
    void SetVisibility(Visibility visibility);
    // The name beside the system at place, with what the players know of it.
    std::string ShownName(std::size_t place) const;
    // The model shows the session's tree as the players see it, while the
    // players' view is on.
    void FollowPlayerView();
    // The Player View command and its marker in the status bar.
    void BuildPlayerView();
    // What follows whose view is shown: the picture, the notes, the
    // commands and the marker.
    void FollowAudience();
    // The handout's pages of the systems the tree shows.
    PrintRequest PlayersRequest() const;
    void BuildNotesPane();
    // The notes pane shows the notes of the tree's current item, as they now stand.
    void FollowNoteTarget();
    // Keeps text, the notes typed (the referee's or the players'), on the
    // system or object the pane shows.
    void WriteNotes(const QString& text, NoteKind kind);
    // Rolls the systems at places again, each from a fresh seed.
    void RerollPlaces(const std::vector<std::size_t>& places);
    // Shows the run in the JSON document name; false when it was refused
    // (and the user told why) or cancelled.
    bool ShowFile(const QString& name);
    // As ShowFile, the file becoming the sector's document.
    void OpenAsDocument(const QString& name);
    // The sector's document is now name (none when empty).
    void BecomeDocument(const QString& name);
    QString AskDocumentName(const QString& title);
    // Save, or Save As for a sector without a document; whether it was saved.
    bool SaveOrAskName();
    bool SaveDocumentTo(const QString& name);
    // Before Save writes over the sector's document: nothing when it may,
    // else whether the sector was saved, after asking the user what to do
    // with a document someone else wrote since it was opened or saved here.
    std::optional<bool> SettleChangedOnDisk(const QString& name);
    // Fills the Open Recent menu, as it opens.
    void ListRecent();
    // Before the sector shown is replaced or closed: true unless it holds
    // unsaved edits the user chose to keep (Cancel, or a save that failed).
    bool MaySetAsideEdits();
    // The document's name and whether it is saved, in the title: no name
    // while Player View is on.
    void FollowWindowTitle();
    // The window's size and place and its open panes, kept for the next
    // run of the program as the window closes, and taken back as it opens:
    // generator_dialog_window.cpp. The panes that need a run wait for one.
    void RememberWindow() const;
    void RestoreWindow();
    void ReopenPanes();
    // The map pane beside the tree and its menu; the map follows the run
    // shown, its edits and whose view is on.
    void BuildMapPane();
    void FollowMap();
    MapExport MapExporter();

    QWidget* client_ = nullptr;  // every control, placed in dialog units
    QStatusBar* statusBar_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* expandButton_ = nullptr;
    QPushButton* collapseButton_ = nullptr;
    ResultTreeView* treeView_ = nullptr;
    QLineEdit* numberField_ = nullptr;
    QButtonGroup* levelGroup_ = nullptr;
    QCheckBox* censusBox_ = nullptr;
    QButtonGroup* formatGroup_ = nullptr;
    QRect treeGeometry_;  // at the client area's designed size

    // Read from the controls, which open with a count of 0; each run takes a seed of its own.
    RunSettings inputs_{.systems = 0};
    UserPrompts& prompts_;
    SectorDocument* document_;  // what the referee makes; the views follow it
    RunSession& session_;       // the document's
    std::unique_ptr<DialogActions> actions_;
    QString saveFolder_;
    ResultTreeModel* model_ = nullptr;  // shows the session's tree
    PicturePane* picture_ = nullptr;    // the tree's place, shared with the selected system's picture
    FindBar* findBar_ = nullptr;
    OverviewPane* overview_ = nullptr;
    NotesPane* notes_ = nullptr;
    MapPane* map_ = nullptr;
    std::optional<NoteTarget> noteTarget_;  // what the notes pane shows
    bool playerView_ = false;
    QLabel* playerViewMark_ = nullptr;  // in the status bar while the players' view is on
    // The tree's open items and current item as the referee left them for
    // the players' view, to come back to.
    std::vector<ItemId> refereeExpanded_;
    ItemId refereeCurrent_ = kNoItem;
    QStringList panesToReopen_;  // remembered open, waiting for a run to show
};

}  // namespace nexmar
