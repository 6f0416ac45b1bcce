#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <QtGlobal>

#include <cstdint>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "app/files/run_file_reading.h"
#include "app/kit/user_prompts.h"
#include "core/notifier.h"
#include "run/generation_run.h"
#include "json/json_export.h"

// What the dialog's benchmarks share: prompts and a notifier that wait for
// nobody, the largest run the dialog opens, and the memory figures of the
// process.
namespace nexmar::bench {

// Answers no prompt; what would have been shown goes to the log.
class SilentPrompts final : public UserPrompts {
public:
    void ShowMessage(QWidget*, const QString& text) override { qWarning("message: %s", qPrintable(text)); }
    QString AskSaveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override
    {
        return saveName;
    }
    QString AskOpenFileName(QWidget*, const QString&, const QString&) override { return openName; }
    std::optional<QString> AskSeed(QWidget*, const QString&) override { return std::nullopt; }
    std::optional<QString> AskName(QWidget*, const QString&, const QString&) override { return nameAnswer; }
    std::optional<QString> AskNotes(QWidget*, const QString&, const QString&) override { return notesAnswer; }
    UnsavedAnswer AskSaveChanges(QWidget*, const QString&) override { return UnsavedAnswer::Discard; }
    bool AskRestore(QWidget*, const QString&) override { return false; }
    void ShowAbout(QWidget*) override {}
    void ShowPrintPreview(QWidget*, const std::function<void(QPrinter&)>&) override {}

    QString openName;  // what Open JSON... opens
    QString saveName;  // what every save and export writes
    std::optional<QString> nameAnswer;  // what Rename System... renames to
    std::optional<QString> notesAnswer;  // what Player Notes... writes
};

class SilentNotifier final : public Notifier {
public:
    void Notify(const std::string& message) override { qWarning("notifier: %s", message.c_str()); }
};

// Writes to path the JSON document of the largest run Open JSON... takes:
// High systems with census, as many as it opens. False when the file could
// not be written whole.
inline bool WriteLargestOpenedRun(const std::string& path, std::uint32_t seed)
{
    std::ofstream out(path, std::ios::binary);
    const RunSettings settings{kMaxOpenedSystems, DetailLevel::High, true, seed};
    JsonExport json("nexmar", [&out](std::string_view text) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    });
    RunOutput* const observers[] = {&json};
    SeededDice dice(seed);
    ResultTree tree;
    ReportFiles reports("/dev/null", "/dev/null");
    SilentNotifier notifier;
    RunGeneration({settings, kMaxOpenedSystems, false}, dice, tree, reports,
                  notifier, [&tree](const ResultTree&, ItemId system) { tree.DropFrom(system); }, observers);
    out.flush();
    return out.good();
}

// A figure of /proc/self/status in kB, by its field ("VmRSS:", "VmHWM:"); -1
// where there is none.
inline long ProcessStatusKb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stol(line.substr(field.size()));
        }
    }
    return -1;
}

// Runs bench's functions; a single-shot figure is the median of seven runs
// unless the command line asks for another count.
inline int RunMedianOfSeven(QObject& bench)
{
    QStringList args = QApplication::arguments();
    if (!args.contains(QStringLiteral("-median"))) {
        args.insert(1, QStringLiteral("-median"));
        args.insert(2, QStringLiteral("7"));
    }
    return QTest::qExec(&bench, args);
}

}  // namespace nexmar::bench
