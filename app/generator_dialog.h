#pragma once

#include <QDialog>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/dice.h"
#include "core/report_files.h"
#include "core/result_tree.h"
#include "core/system_count.h"
#include "run/generation_run.h"
#include "run/run_statistics.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSaveFile;

namespace nexmar {

class ResultTreeModel;
class ResultTreeView;
class UserPrompts;

enum class OutputFormat { DelimitedText = 0, Html = 1 };

inline constexpr const char* kNoReportToSave = "No report of the latest run to save.";
inline constexpr const char* kSaveOpenFailed = "Failed to open file for save.";
inline constexpr const char* kSaveWriteFailed = "Failed to write file for save.\nThe file was left as it was.";

// The program's one window: the inputs of a run, the result tree and the
// buttons. Runs and the tree belong to the engine; this class reads the
// controls, calls the engine, shows the results and saves a report.
class GeneratorDialog final : public QDialog {
    Q_OBJECT

public:
    // seed: the first run's seed, and the seed of the sequence from which
    // every later run takes its own. reportDirectory: where every run writes
    // its two reports.
    GeneratorDialog(UserPrompts& prompts, std::uint32_t seed, const std::filesystem::path& reportDirectory,
                    QWidget* parent = nullptr);
    ~GeneratorDialog() override;

    void Generate();
    // Asks for a seed and runs with it and the current options.
    void GenerateWithSeed();
    void CopySeed();
    void SaveToFile();
    void ExportJson();
    // Shows the run render makes: its tree, its seed, its JSON document and
    // statistics (render feeds the observers it is given), and any message
    // of its reports.
    using RunRender = std::function<void(ResultTree&, std::span<RecordObserver* const>)>;
    void ShowRun(std::uint32_t seed, DetailLevel level, bool census, const RunRender& render);
    // Writes the file name through write, replacing an earlier file only
    // once the whole of it is written.
    void WriteWhole(const QString& name, const std::function<bool(QSaveFile&)>& write);
    // Shows the run saved in a JSON document, as the run that wrote it showed it.
    void OpenJson();
    void ExpandAll();
    void CollapseAll();
    void ShowAbout();
    // Opens a window with the latest run's statistics.
    void ShowStatistics();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Inputs {
        int systems = 0;
        DetailLevel level = DetailLevel::Low;
        bool census = false;
        OutputFormat format = OutputFormat::DelimitedText;
    };

    // Collects the engine's messages during a run; they are shown once the
    // tree is whole again, since the view must not paint a half-reset model.
    class QueuedNotifier final : public Notifier {
    public:
        void Notify(const std::string& message) override { messages.push_back(message); }
        std::vector<std::string> messages;
    };

    void BuildControls();
    // Reads the controls into inputs_, the number field first; returns how
    // the number field read.
    CountParse ReadInputs();
    void RejectCount(CountParse result);
    // One run from seed, or from the next seed of the sequence when none is
    // given; a count the field refuses runs nothing and takes no seed.
    void RunFromSeed(std::optional<std::uint32_t> seed);
    // The save-file dialog, opened in the folder last saved to; remembers
    // the folder of the name chosen.
    QString AskSaveName(const char* filter, const char* defaultSuffix);
    void ShowExpandButton(bool expand);

    QPushButton* saveButton_ = nullptr;
    QPushButton* expandButton_ = nullptr;
    QPushButton* collapseButton_ = nullptr;
    ResultTreeView* treeView_ = nullptr;
    QLineEdit* numberField_ = nullptr;
    QButtonGroup* levelGroup_ = nullptr;
    QCheckBox* censusBox_ = nullptr;
    QButtonGroup* formatGroup_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* copySeedAction_ = nullptr;
    QAction* seedAction_ = nullptr;
    QAction* exportJsonAction_ = nullptr;
    QAction* openJsonAction_ = nullptr;
    QRect treeGeometry_;  // at the size the dialog opens with
    QSize openingSize_;
    QAction* statisticsAction_ = nullptr;

    Inputs inputs_;
    UserPrompts& prompts_;
    // The clock-seeded sequence the runs take their seeds from.
    SeededDice seeds_;
    std::optional<std::uint32_t> firstSeed_;  // until the first run from the sequence
    std::optional<std::uint32_t> lastSeed_;   // the seed of the latest run
    std::string lastJson_;                    // the latest run as a JSON document
    QString saveFolder_;
    ResultTreeModel* model_ = nullptr;        // shows the latest run's tree
    ReportFiles reports_;
    QueuedNotifier notifier_;
    std::unique_ptr<RunStatistics> statistics_;  // of the latest run
};

}  // namespace nexmar
