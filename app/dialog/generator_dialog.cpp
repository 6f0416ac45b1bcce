#include "app/dialog/generator_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QVBoxLayout>

#include <type_traits>
#include <utility>
#include <vector>

#include "app/kit/artwork.h"
#include "app/commands/dialog_actions.h"
#include "app/kit/dialog_units.h"
#include "app/document/sector_document.h"
#include "app/panes/find_bar.h"
#include "app/kit/menu_keys_first.h"
#include "app/panes/notes_pane.h"
#include "app/panes/overview_pane.h"
#include "app/panes/picture_pane.h"
#include "app/windows/query_help.h"
#include "app/document/recovery_copy.h"
#include "app/panes/result_tree_model.h"
#include "app/panes/result_tree_view.h"
#include "app/kit/screen_room.h"
#include "app/windows/statistics_window.h"
#include "app/kit/user_prompts.h"

namespace nexmar {

namespace {

struct ControlRow {
    const char* name;
    const char* caption;
    int x, y, width, height;  // dialog units
    bool fitsCaption;         // widened to its caption if the font needs it
};

// Where each control sits, in tab order; BuildControls creates them in this order.
constexpr ControlRow kLogo{"logo", "", 7, 7, 131, 85, false};
constexpr ControlRow kResultTree{"resultTree", "", 139, 7, 214, 240, false};
constexpr ControlRow kNumberLabel{"numberLabel", "Number of Systems:", 13, 103, 64, 8, true};
constexpr ControlRow kNumberField{"numberField", "", 81, 99, 40, 12, false};
constexpr ControlRow kLevelLabel{"levelLabel", "System Detail Level:", 14, 118, 65, 8, true};
constexpr ControlRow kLowRadio{"lowRadio", "Low", 81, 118, 41, 8, true};
constexpr ControlRow kMediumRadio{"mediumRadio", "Medium", 81, 131, 41, 8, true};
constexpr ControlRow kHighRadio{"highRadio", "High", 81, 144, 41, 8, true};
constexpr ControlRow kCensusBox{"censusBox", "Generate Systems with Census", 17, 156, 113, 10, true};
constexpr ControlRow kGenerateButton{"generateButton", "Generate", 49, 169, 50, 14, false};
constexpr ControlRow kOutputGroup{"outputGroup", "Output", 7, 186, 130, 41, false};
constexpr ControlRow kTextRadio{"textRadio", "Delimited Text", 13, 198, 61, 10, true};
constexpr ControlRow kHtmlRadio{"htmlRadio", "HTML", 14, 210, 36, 10, true};
constexpr ControlRow kSaveButton{"saveButton", "Save to File", 81, 202, 50, 14, false};
constexpr ControlRow kExpandButton{"expandButton", "Expand All", 44, 233, 50, 14, false};
constexpr ControlRow kCollapseButton{"collapseButton", "Collapse All", 44, 233, 50, 14, false};
constexpr int kDialogWidth = 360;  // dialog units
constexpr int kDialogHeight = 254;

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Creates the control of row with its name and caption. The geometry waits
// until every caption has had its say in the dialog units.
class ControlMaker {
public:
    ControlMaker(QWidget* parent, DialogUnits& units) : parent_(parent), units_(units) {}

    template <class Widget>
    Widget* Make(const ControlRow& row)
    {
        auto* widget = new Widget(parent_);
        widget->setObjectName(QString::fromLatin1(row.name));
        const QString caption = QString::fromLatin1(row.caption);
        if constexpr (std::is_base_of_v<QGroupBox, Widget>) {
            widget->setTitle(caption);
        } else if constexpr (std::is_base_of_v<QLabel, Widget> || std::is_base_of_v<QAbstractButton, Widget>) {
            widget->setText(caption);
        }
        if (row.fitsCaption) {
            units_.FitText(row.width, widget->sizeHint().width());
        }
        made_.emplace_back(widget, &row);
        return widget;
    }

    void PlaceAll()
    {
        for (const auto& [widget, row] : made_) {
            widget->setGeometry(units_.Rect(row->x, row->y, row->width, row->height));
        }
    }

private:
    QWidget* parent_;
    DialogUnits& units_;
    std::vector<std::pair<QWidget*, const ControlRow*>> made_;
};

}  // namespace

GeneratorDialog::GeneratorDialog(UserPrompts& prompts, SeedSource seeds,
                                 const std::filesystem::path& reportDirectory, QWidget* parent)
    : QDialog(parent),
      prompts_(prompts),
      document_(new SectorDocument(std::move(seeds), reportDirectory, RecoveryCopy::UserFolder(), this)),
      session_(document_->Session())
{
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    saveFolder_ = RememberedFolder();
    setWindowIcon(ApplicationIcon());
    actions_ = std::make_unique<DialogActions>(*this, [this](const char* name) { return CommandOf(name); });
    // The menu bar and the status bar lie outside the client area, where
    // every control keeps its place in dialog units. On a screen too small
    // for it (a scale factor of 2 on a laptop) the client area scrolls,
    // and the window stays on the screen.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("clientScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    client_ = new QWidget;
    client_->setObjectName(QStringLiteral("clientArea"));
    client_->installEventFilter(this);
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("statusBar"));
    statusBar_->setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(actions_->MenuBar());
    scroll->setWidget(client_);
    layout->addWidget(scroll, 1);
    layout->addWidget(statusBar_);
    BuildControls();
    model_ = new ResultTreeModel(std::make_shared<ShownTree>(), LoadTreeImages(), this);
    treeView_->setModel(model_);
    BuildPicturePane();
    BuildEditing();
    findBar_ = new FindBar(session_, *model_, *treeView_, client_);
    connect(findBar_, &FindBar::RoomChanged, this, &GeneratorDialog::PlaceTree);
    connect(findBar_, &FindBar::ShownChanged, this, [this] {
        actions_->FollowFilter(KeptPlaces() ? std::optional<int>(static_cast<int>(KeptPlaces()->size()))
                                            : std::nullopt);
        FollowOverview();
    });
    BuildNotesPane();
    BuildOverviewPane();
    BuildPlayerView();
    ListenToDocument();
    BuildMapPane();
    FollowSession();
    // Every menu shortcut works wherever the focus is, in a text field too.
    (new MenuKeysFirst(*this))->WatchFields();
    RestoreWindow();
    KeepOnScreen(*this);
    KeepOnScreenWhenShown(*this);
}

GeneratorDialog::~GeneratorDialog()
{
    // The document ends after this dialog's body: what it says then is for no
    // one. A recovery copy left stays, as after a crash. So do the notes
    // pane, losing the focus, and the tree and the overview, losing their
    // current items, as the widgets close.
    for (QObject* sender :
         std::initializer_list<QObject*>{document_, notes_, overview_, treeView_->selectionModel(), model_}) {
        if (sender != nullptr) {
            sender->disconnect(this);
        }
    }
}

void GeneratorDialog::BuildControls()
{
    DialogUnits units(font());
    ControlMaker maker(client_, units);
    auto* logo = maker.Make<QLabel>(kLogo);
    treeView_ = maker.Make<ResultTreeView>(kResultTree);
    maker.Make<QLabel>(kNumberLabel);
    numberField_ = maker.Make<QLineEdit>(kNumberField);
    maker.Make<QLabel>(kLevelLabel);
    auto* lowRadio = maker.Make<QRadioButton>(kLowRadio);
    auto* mediumRadio = maker.Make<QRadioButton>(kMediumRadio);
    auto* highRadio = maker.Make<QRadioButton>(kHighRadio);
    censusBox_ = maker.Make<QCheckBox>(kCensusBox);
    auto* generate = maker.Make<QPushButton>(kGenerateButton);
    maker.Make<QGroupBox>(kOutputGroup);
    auto* textRadio = maker.Make<QRadioButton>(kTextRadio);
    auto* htmlRadio = maker.Make<QRadioButton>(kHtmlRadio);
    saveButton_ = maker.Make<QPushButton>(kSaveButton);
    expandButton_ = maker.Make<QPushButton>(kExpandButton);
    collapseButton_ = maker.Make<QPushButton>(kCollapseButton);
    maker.PlaceAll();
    // Opens at its designed size and grows from there; the tree takes the
    // extra room while the controls keep their places beside it.
    const QSize clientSize = units.Size(kDialogWidth, kDialogHeight);
    client_->setMinimumSize(clientSize);
    const QSize openingSize =
        clientSize + QSize(0, actions_->MenuBar()->sizeHint().height() + statusBar_->sizeHint().height());
    treeGeometry_ = treeView_->geometry();
    resize(openingSize);
    setMinimumSize(openingSize);

    logo->setAlignment(Qt::AlignCenter);
    logo->setPixmap(LogoPicture()
                        .scaled(logo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    numberField_->setText(QString::number(inputs_.systems));
    // The field takes the first focus; its text starts selected, so what the
    // user types replaces it.
    numberField_->selectAll();
    numberField_->setFocus(Qt::OtherFocusReason);
    censusBox_->setChecked(inputs_.census);

    levelGroup_ = new QButtonGroup(this);
    levelGroup_->addButton(lowRadio, int(DetailLevel::Low));
    levelGroup_->addButton(mediumRadio, int(DetailLevel::Medium));
    levelGroup_->addButton(highRadio, int(DetailLevel::High));
    levelGroup_->button(int(inputs_.level))->setChecked(true);
    formatGroup_ = new QButtonGroup(this);
    formatGroup_->addButton(textRadio, int(OutputFormat::DelimitedText));
    formatGroup_->addButton(htmlRadio, int(OutputFormat::Html));
    formatGroup_->button(int(OutputFormat::DelimitedText))->setChecked(true);

    generate->setDefault(true);
    connect(generate, &QPushButton::clicked, this, &GeneratorDialog::Generate);
    saveButton_->setEnabled(false);
    connect(saveButton_, &QPushButton::clicked, this, &GeneratorDialog::SaveToFile);
    expandButton_->setEnabled(false);
    connect(expandButton_, &QPushButton::clicked, this, &GeneratorDialog::ExpandAll);
    collapseButton_->setVisible(false);
    connect(collapseButton_, &QPushButton::clicked, this, &GeneratorDialog::CollapseAll);
}

void GeneratorDialog::FollowSelection()
{
    const std::optional<std::size_t> selected = picture_->SelectedSystem();
    actions_->Follow(session_.HasRun(), session_.HasReports(), selected.has_value());
    actions_->FollowPlayerView(playerView_);
    FollowMarks();
    if (overview_ != nullptr) {
        overview_->ShowChosen(selected);
    }
}

void GeneratorDialog::FollowMarks()
{
    const std::optional<std::size_t> selected = picture_->SelectedSystem();
    const SystemEdits* edits =
        selected && session_.HasRun() ? session_.Records().Edits().Find(session_.Records().NumberAt(*selected)) : nullptr;
    const SystemEdits none;
    const SystemEdits& marked = edits != nullptr ? *edits : none;
    actions_->Action("lockAction")->setChecked(selected && marked.locked);
    const std::pair<const char*, Visibility> visibilities[] = {
        {"knownAction", Visibility::Known}, {"rumouredAction", Visibility::Rumoured}, {"secretAction", Visibility::Secret}};
    for (const auto& [name, visibility] : visibilities) {
        actions_->Action(name)->setChecked(selected && marked.visibility == visibility);
    }
}

std::optional<std::vector<std::size_t>> GeneratorDialog::KeptPlaces() const
{
    if (!findBar_->Filtering() || !session_.HasRun()) {
        return std::nullopt;
    }
    std::vector<std::size_t> places;
    for (const ItemId system : findBar_->ShownSystems()) {
        if (const std::optional<std::size_t> place = SystemPlaceOf(*session_.Tree(), system)) {
            places.push_back(*place);
        }
    }
    return places;
}

void GeneratorDialog::FollowSession()
{
    FollowSelection();
    FollowPlayerView();
    findBar_->RunShown();
    FollowOverview();
    saveButton_->setEnabled(session_.HasReports());
}

void GeneratorDialog::ExpandAll()
{
    {
        const WaitCursor wait;
        treeView_->ExpandEverything();
    }
    ShowExpandButton(false);
}

void GeneratorDialog::CollapseAll()
{
    {
        const WaitCursor wait;
        treeView_->CollapseVisible();
    }
    ShowExpandButton(true);
}

void GeneratorDialog::GoToResults()
{
    treeView_->setFocus(Qt::ShortcutFocusReason);
    if (!treeView_->currentIndex().isValid()) {
        treeView_->setCurrentIndex(model_->index(0, 0));
    }
}

void GeneratorDialog::ShowAbout()
{
    prompts_.ShowAbout(this);
}

void GeneratorDialog::ShowQueryHelp()
{
    nexmar::ShowQueryHelp(*this);
}

void GeneratorDialog::ShowStatistics()
{
    if (session_.HasRun()) {
        auto* window = new StatisticsWindow(session_.Statistics(), session_.Records().Edits(), session_.Title(), this);
        window->PlaceBeside(*this);
        window->show();
    }
}

void GeneratorDialog::Quit()
{
    close();
}

bool GeneratorDialog::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        statusBar_->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QDialog::event(event);
}

void GeneratorDialog::contextMenuEvent(QContextMenuEvent* event)
{
    // A right click on an item of the tree makes it current, as a left
    // click would, and offers the commands on it first.
    QWidget* viewport = treeView_->viewport();
    const QPoint inViewport = viewport->mapFromGlobal(event->globalPos());
    const QModelIndex item = viewport->rect().contains(inViewport) && viewport->isVisible()
                                 ? treeView_->indexAt(inViewport)
                                 : QModelIndex();
    if (item.isValid()) {
        treeView_->setCurrentIndex(item);
    }
    actions_->MakeContextMenu(this, item.isValid())->popup(event->globalPos());
}

void GeneratorDialog::Tell(const QString& done)
{
    statusBar_->showMessage(done, kToldForMs);
}

bool GeneratorDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::Resize) {
        PlaceTree();
    }
    return QDialog::eventFilter(watched, event);
}

void GeneratorDialog::PlaceTree()
{
    // The client area never shrinks below its designed size: it scrolls instead.
    const QSize growth = (client_->size() - client_->minimumSize()).expandedTo(QSize(0, 0));
    const QRect room = treeGeometry_.adjusted(0, 0, growth.width(), growth.height());
    // The find field's strip first, then the tree, or the tree and the picture, below it.
    const QRect below = findBar_ != nullptr ? findBar_->Place(room) : room;
    if (picture_ != nullptr) {
        picture_->Place(below);
    } else {
        treeView_->setGeometry(below);
    }
}

void GeneratorDialog::ShowExpandButton(bool expand)
{
    QPushButton* shown = expand ? expandButton_ : collapseButton_;
    QPushButton* hidden = expand ? collapseButton_ : expandButton_;
    shown->setVisible(true);
    // The pressed button may hold the focus; its twin in the same place takes it.
    if (hidden->hasFocus()) {
        shown->setFocus(Qt::OtherFocusReason);
    }
    hidden->setVisible(false);
}

}  // namespace nexmar
