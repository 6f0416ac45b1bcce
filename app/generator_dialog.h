#pragma once

#include <QDialog>

#include <cstdint>
#include <filesystem>
#include <memory>
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
    // seed: the dice are seeded once, here, for the life of the dialog.
    // reportDirectory: where every run writes its two reports.
    GeneratorDialog(UserPrompts& prompts, std::uint32_t seed, const std::filesystem::path& reportDirectory,
                    QWidget* parent = nullptr);
    ~GeneratorDialog() override;

    void Generate();
    void SaveToFile();
    void ExpandAll();
    void CollapseAll();
    void ShowAbout();
    // Opens a window with the latest run's statistics.
    void ShowStatistics();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

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
    QAction* statisticsAction_ = nullptr;

    Inputs inputs_;
    UserPrompts& prompts_;
    SeededDice dice_;
    ResultTree tree_;
    ResultTreeModel* model_ = nullptr;
    ReportFiles reports_;
    QueuedNotifier notifier_;
    std::unique_ptr<RunStatistics> statistics_;  // of the latest run
};

}  // namespace nexmar
