#include "app/generator_dialog.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSaveFile>
#include <QSettings>

#include <type_traits>
#include <utility>
#include <vector>

#include "app/artwork.h"
#include "app/dialog_units.h"
#include "app/result_tree_model.h"
#include "app/result_tree_view.h"
#include "app/run_file_reading.h"
#include "app/seed_input.h"
#include "app/statistics_window.h"
#include "app/user_prompts.h"
#include "run/json_export.h"

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

struct SaveKind {
    const char* filter;
    const char* defaultSuffix;
};

// By OutputFormat.
constexpr SaveKind kSaveKinds[] = {
    {"Text File (*.txt)", "txt"},  // DelimitedText: TNXT001
    {"HTML File (*.htm)", "htm"},  // Html: TNXH001
};

constexpr SaveKind kJsonSaveKind{"JSON File (*.json)", "json"};

// Save to File and Export JSON open where the user last saved either,
// across runs of the program too.
constexpr const char* kSaveFolderKey = "saveFolder";

QSettings UserSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("nexmar"), QStringLiteral("nexmar"));
}

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

// Copies the whole of source to destination; false on any read or write error.
bool CopyAll(QFile& source, QSaveFile& destination)
{
    char buffer[65536];
    for (;;) {
        const qint64 got = source.read(buffer, sizeof buffer);
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        if (destination.write(buffer, got) != got) {
            return false;
        }
    }
}

}  // namespace

GeneratorDialog::GeneratorDialog(UserPrompts& prompts, std::uint32_t seed,
                                 const std::filesystem::path& reportDirectory, QWidget* parent)
    : QDialog(parent), prompts_(prompts), seeds_(seed), firstSeed_(seed), reports_(reportDirectory)
{
    setWindowTitle(QStringLiteral("Tolvik Nexmar"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    saveFolder_ = UserSettings().value(QString::fromLatin1(kSaveFolderKey)).toString();
    setWindowIcon(ApplicationIcon());
    BuildControls();
    model_ = new ResultTreeModel(std::make_shared<ResultTree>(), LoadTreeImages(), this);
    treeView_->setModel(model_);

    aboutAction_ = new QAction(QStringLiteral("&About Nexmar..."), this);
    aboutAction_->setShortcut(QKeySequence(Qt::Key_F1));
    connect(aboutAction_, &QAction::triggered, this, &GeneratorDialog::ShowAbout);
    addAction(aboutAction_);
    copySeedAction_ = new QAction(QStringLiteral("Copy Seed"), this);
    connect(copySeedAction_, &QAction::triggered, this, &GeneratorDialog::CopySeed);
    seedAction_ = new QAction(QStringLiteral("Generate with Seed..."), this);
    connect(seedAction_, &QAction::triggered, this, &GeneratorDialog::GenerateWithSeed);
    exportJsonAction_ = new QAction(QStringLiteral("Export JSON..."), this);
    connect(exportJsonAction_, &QAction::triggered, this, &GeneratorDialog::ExportJson);

    statisticsAction_ = new QAction(QStringLiteral("Run &Statistics..."), this);
    statisticsAction_->setEnabled(false);
    connect(statisticsAction_, &QAction::triggered, this, &GeneratorDialog::ShowStatistics);
    openJsonAction_ = new QAction(QStringLiteral("Open JSON..."), this);
    openJsonAction_->setShortcut(QKeySequence::Open);
    connect(openJsonAction_, &QAction::triggered, this, &GeneratorDialog::OpenJson);
    addAction(openJsonAction_);
}

GeneratorDialog::~GeneratorDialog() = default;

void GeneratorDialog::BuildControls()
{
    DialogUnits units(font());
    ControlMaker maker(this, units);
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
    openingSize_ = units.Size(kDialogWidth, kDialogHeight);
    treeGeometry_ = treeView_->geometry();
    resize(openingSize_);
    setMinimumSize(openingSize_);

    logo->setAlignment(Qt::AlignCenter);
    logo->setPixmap(LogoPicture()
                        .scaled(logo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    numberField_->setText(QString::number(inputs_.systems));
    // The field takes the first focus; its text starts selected, so what the
    // user types replaces it.
    numberField_->selectAll();
    censusBox_->setChecked(inputs_.census);

    levelGroup_ = new QButtonGroup(this);
    levelGroup_->addButton(lowRadio, int(DetailLevel::Low));
    levelGroup_->addButton(mediumRadio, int(DetailLevel::Medium));
    levelGroup_->addButton(highRadio, int(DetailLevel::High));
    levelGroup_->button(int(inputs_.level))->setChecked(true);
    formatGroup_ = new QButtonGroup(this);
    formatGroup_->addButton(textRadio, int(OutputFormat::DelimitedText));
    formatGroup_->addButton(htmlRadio, int(OutputFormat::Html));
    formatGroup_->button(int(inputs_.format))->setChecked(true);

    generate->setDefault(true);
    connect(generate, &QPushButton::clicked, this, &GeneratorDialog::Generate);
    saveButton_->setEnabled(false);
    connect(saveButton_, &QPushButton::clicked, this, &GeneratorDialog::SaveToFile);
    expandButton_->setEnabled(false);
    connect(expandButton_, &QPushButton::clicked, this, &GeneratorDialog::ExpandAll);
    collapseButton_->setVisible(false);
    connect(collapseButton_, &QPushButton::clicked, this, &GeneratorDialog::CollapseAll);
}

CountParse GeneratorDialog::ReadInputs()
{
    int systems = 0;
    const CountParse count = ParseSystemCount(numberField_->text().toStdString(), systems);
    if (count != CountParse::Ok) {
        return count;
    }
    inputs_.systems = systems;
    inputs_.level = static_cast<DetailLevel>(levelGroup_->checkedId());
    inputs_.census = censusBox_->isChecked();
    inputs_.format = static_cast<OutputFormat>(formatGroup_->checkedId());
    return count;
}

void GeneratorDialog::RejectCount(CountParse result)
{
    prompts_.ShowMessage(this, QString::fromLatin1(SystemCountMessage(result)));
    numberField_->setFocus(Qt::OtherFocusReason);
    numberField_->selectAll();
}

void GeneratorDialog::Generate()
{
    RunFromSeed(std::nullopt);
}

void GeneratorDialog::GenerateWithSeed()
{
    QString text = lastSeed_ ? QString::number(*lastSeed_) : QString();
    for (;;) {
        const std::optional<QString> answer = prompts_.AskSeed(this, text);
        if (!answer) {
            return;
        }
        std::uint32_t seed = 0;
        const std::string refusal = ReadSeedInput(answer->toStdString(), seed);
        if (refusal.empty()) {
            RunFromSeed(seed);
            return;
        }
        prompts_.ShowMessage(this, QString::fromStdString(refusal));
        text = *answer;
    }
}

void GeneratorDialog::CopySeed()
{
    if (lastSeed_) {
        QApplication::clipboard()->setText(QString::number(*lastSeed_));
    }
}

void GeneratorDialog::RunFromSeed(std::optional<std::uint32_t> chosenSeed)
{
    const CountParse count = ReadInputs();
    if (count != CountParse::Ok) {
        // The earlier results leave the tree; the temporary reports, and so
        // Save to File, keep the earlier run.
        model_->Show(std::make_shared<ResultTree>());
        RejectCount(count);
        return;
    }
    // Each run rolls from a seed of its own, so any run can be repeated, here
    // or with nexmar-cli --seed.
    std::uint32_t seed = 0;
    if (chosenSeed) {
        seed = *chosenSeed;
    } else if (firstSeed_) {
        seed = *std::exchange(firstSeed_, std::nullopt);
    } else {
        seed = seeds_.NextSeed();
    }
    ShowRun(seed, inputs_.level, inputs_.census, [&](ResultTree& tree, std::span<RecordObserver* const> observers) {
        SeededDice dice(seed);
        RunGeneration({inputs_.systems, inputs_.level, inputs_.census}, dice, tree, reports_, notifier_, {},
                      observers);
    });
}

void GeneratorDialog::ShowRun(std::uint32_t seed, DetailLevel level, bool census, const RunRender& render)
{
    lastSeed_ = seed;
    {
        const WaitCursor wait;
        lastJson_.clear();
        JsonExport json({"nexmar", seed, level, census}, [this](std::string_view text) { lastJson_.append(text); });
        statistics_ = std::make_unique<RunStatistics>(level, census);
        RecordObserver* const observers[] = {&json, statistics_.get()};
        // The run fills a tree of its own, and the model takes it once it is
        // whole. Whether the reports came out complete is kept by reports_
        // itself, which Save to File asks.
        auto result = std::make_shared<ResultTree>();
        render(*result, observers);
        json.Finish();
        model_->SetRootToolTip(QStringLiteral("Seed %1").arg(seed));
        model_->Show(std::move(result));
    }
    statisticsAction_->setEnabled(true);
    saveButton_->setEnabled(true);
    expandButton_->setEnabled(true);
    ShowExpandButton(true);
    for (const std::string& message : notifier_.messages) {
        prompts_.ShowMessage(this, QString::fromStdString(message));
    }
    notifier_.messages.clear();
}

void GeneratorDialog::SaveToFile()
{
    const CountParse count = ReadInputs();
    if (count != CountParse::Ok) {
        RejectCount(count);
        return;
    }
    const bool html = inputs_.format == OutputFormat::Html;
    const SaveKind& kind = kSaveKinds[static_cast<int>(inputs_.format)];
    // The source is opened before anything else, so a missing or unfinished
    // report never costs the user an existing file.
    QFile source(QString::fromStdString((html ? reports_.HtmlPath() : reports_.TextPath()).string()));
    if (!source.open(QIODevice::ReadOnly) || !reports_.IsAsClosed(source.handle(), html)) {
        prompts_.ShowMessage(this, QString::fromLatin1(kNoReportToSave));
        return;
    }
    const QString name = AskSaveName(kind.filter, kind.defaultSuffix);
    if (name.isEmpty()) {
        return;
    }
    WriteWhole(name, [&source](QSaveFile& destination) { return CopyAll(source, destination); });
}

void GeneratorDialog::ExportJson()
{
    if (!lastSeed_) {
        prompts_.ShowMessage(this, QString::fromLatin1(kNoReportToSave));
        return;
    }
    const QString name = AskSaveName(kJsonSaveKind.filter, kJsonSaveKind.defaultSuffix);
    if (name.isEmpty()) {
        return;
    }
    WriteWhole(name, [this](QSaveFile& destination) {
        const auto size = static_cast<qint64>(lastJson_.size());
        return destination.write(lastJson_.data(), size) == size;
    });
}

void GeneratorDialog::WriteWhole(const QString& name, const std::function<bool(QSaveFile&)>& write)
{
    // QSaveFile writes beside the destination and replaces it only on commit,
    // so a failed write never leaves it half-written.
    QSaveFile destination(name);
    // Unbuffered, so a write cut short by a full disk shows in its count: a
    // buffered QSaveFile loses the short write and commits a truncated file.
    if (!destination.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        prompts_.ShowMessage(this, QString::fromLatin1(kSaveOpenFailed));
        return;
    }
    if (!write(destination) || !destination.commit()) {
        prompts_.ShowMessage(this, QString::fromLatin1(kSaveWriteFailed));
    }
}

void GeneratorDialog::OpenJson()
{
    const QString name = prompts_.AskOpenFileName(this, QString::fromLatin1(kJsonSaveKind.filter), saveFolder_);
    if (name.isEmpty()) {
        return;
    }
    saveFolder_ = QFileInfo(name).absolutePath();
    UserSettings().setValue(QString::fromLatin1(kSaveFolderKey), saveFolder_);
    std::variant<LoadedRun, QString> read;
    {
        const WaitCursor wait;
        read = ReadRunFile(name);
    }
    // A file that cannot be shown whole leaves the earlier run as it was.
    if (const QString* refusal = std::get_if<QString>(&read)) {
        prompts_.ShowMessage(this, *refusal);
        return;
    }
    const LoadedRun& run = std::get<LoadedRun>(read);
    const JsonRunHeader& saved = run.summary.header;
    numberField_->setText(QString::number(run.summary.systems));
    levelGroup_->button(int(saved.level))->setChecked(true);
    censusBox_->setChecked(saved.census);
    ReadInputs();
    ShowRun(saved.seed, saved.level, saved.census,
            [&](ResultTree& tree, std::span<RecordObserver* const> observers) {
                RenderLoadedRun(run, tree, reports_, notifier_, {}, observers);
            });
}

QString GeneratorDialog::AskSaveName(const char* filter, const char* defaultSuffix)
{
    const QString name = prompts_.AskSaveFileName(this, QString::fromLatin1(filter),
                                                  QString::fromLatin1(defaultSuffix), saveFolder_);
    if (!name.isEmpty()) {
        saveFolder_ = QFileInfo(name).absolutePath();
        UserSettings().setValue(QString::fromLatin1(kSaveFolderKey), saveFolder_);
    }
    return name;
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

void GeneratorDialog::ShowAbout()
{
    prompts_.ShowAbout(this);
}

void GeneratorDialog::ShowStatistics()
{
    if (statistics_) {
        auto* window = new StatisticsWindow(*statistics_, this);
        window->show();
    }
}

void GeneratorDialog::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    copySeedAction_->setEnabled(lastSeed_.has_value());
    exportJsonAction_->setEnabled(lastSeed_.has_value());
    menu->addAction(copySeedAction_);
    menu->addAction(seedAction_);
    menu->addAction(exportJsonAction_);
    menu->addAction(openJsonAction_);
    menu->addAction(statisticsAction_);
    menu->addSeparator();
    menu->addAction(aboutAction_);
    menu->popup(event->globalPos());
}

void GeneratorDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const QSize growth = event->size() - openingSize_;
    treeView_->setGeometry(treeGeometry_.adjusted(0, 0, growth.width(), growth.height()));
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
