// The dialog's file commands: saving the reports, exporting and opening
// JSON documents, and the folder they all open in.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSaveFile>

#include <atomic>

#include "app/commands/dialog_actions.h"
#include "app/dialog/generator_dialog.h"
#include "app/files/run_file_reading.h"
#include "app/kit/user_prompts.h"
#include "app/kit/user_settings.h"
#include "json/json_import.h"

namespace nexmar {

namespace {

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

// Save to File writes in blocks of this many bytes.
constexpr std::size_t kWriteBlock = std::size_t{1} << 20;

// Save to File and Export JSON open where the user last saved either,
// across runs of the program too.
constexpr const char* kSaveFolderKey = "saveFolder";

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

// Writes the whole of bytes to destination; false on any write error.
bool WriteAllOf(std::string_view bytes, QSaveFile& destination)
{
    while (!bytes.empty()) {
        const std::string_view block = bytes.substr(0, kWriteBlock);
        const auto size = static_cast<qint64>(block.size());
        if (destination.write(block.data(), size) != size) {
            return false;
        }
        bytes.remove_prefix(block.size());
    }
    return true;
}

// The report format a file's name asks for by its suffix; none for a name
// that asks for neither.
std::optional<OutputFormat> FormatOfName(const QString& name)
{
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) {
        return OutputFormat::Html;
    }
    if (suffix == QLatin1String("txt") || suffix == QLatin1String("csv")) {
        return OutputFormat::DelimitedText;
    }
    return std::nullopt;
}

// Reports in memory never fail: nothing to tell.
class SilentMessages final : public Notifier {
public:
    void Notify(const std::string&) override {}
};

}  // namespace

QString GeneratorDialog::RememberedFolder()
{
    return UserSettings().value(QString::fromLatin1(kSaveFolderKey)).toString();
}

void GeneratorDialog::SaveToFile()
{
    const auto chosen = static_cast<OutputFormat>(formatGroup_->checkedId());
    // With a filter on, the report of the systems kept, as nexmar-cli
    // --where writes it, written afresh into memory.
    const std::optional<std::vector<std::size_t>> kept = KeptPlaces();
    ReportStrings keptReports;
    if (kept) {
        ResultTree tree;
        SilentMessages ignored;
        RenderLoadedRun(session_.KeptRun(*kept), tree, keptReports, ignored);
    }
    // The source is opened before anything else, so a missing or unfinished
    // report never costs the user an existing file.
    QFile source;
    if (!kept && !session_.OpenReport(chosen == OutputFormat::Html, source)) {
        prompts_.ShowMessage(this, QString::fromLatin1(kNoReportToSave));
        return;
    }
    const SaveKind& kind = kSaveKinds[static_cast<int>(chosen)];
    const QString name = AskSaveName(kind.filter, kind.defaultSuffix, actions_->Title("saveAction"));
    if (name.isEmpty()) {
        return;
    }
    // A name ending .html holds HTML, whichever format the buttons chose.
    const OutputFormat format = FormatOfName(name).value_or(chosen);
    const bool html = format == OutputFormat::Html;
    if (!kept && format != chosen) {
        source.close();
        if (!session_.OpenReport(html, source)) {
            prompts_.ShowMessage(this, QString::fromLatin1(kNoReportToSave));
            return;
        }
    }
    const QString what = kept ? QStringLiteral("the report of the %L1 systems shown").arg(kept->size())
                              : QStringLiteral("the latest run's report");
    const QString as = format == chosen ? QString()
                                        : QStringLiteral(" in %1, as the name asks")
                                              .arg(html ? QStringLiteral("HTML") : QStringLiteral("delimited text"));
    const std::string_view keptReport = html ? keptReports.Html() : keptReports.Text();
    WriteWhole(
        name,
        [&](QSaveFile& destination) {
            return kept ? WriteAllOf(keptReport, destination) : CopyAll(source, destination);
        },
        QStringLiteral("Saved %1 as %2%3").arg(what, QDir::toNativeSeparators(name), as));
}

void GeneratorDialog::ExportJson()
{
    if (!session_.HasRun()) {
        prompts_.ShowMessage(this, QString::fromLatin1(kNoReportToSave));
        return;
    }
    const QString name =
        AskSaveName(kJsonSaveKind.filter, kJsonSaveKind.defaultSuffix, actions_->Title("exportJsonAction"));
    if (name.isEmpty()) {
        return;
    }
    // With a filter on, the systems kept, as nexmar-cli --where writes them.
    const std::optional<std::vector<std::size_t>> kept = KeptPlaces();
    // Written anew from the run's records, which the session keeps in a
    // fraction of the document's size.
    const FileWriter writeJson = [this, &kept](QSaveFile& destination, const std::atomic<bool>& cancel,
                                               WorkProgress& progress) {
        progress.total = static_cast<int>(kept ? kept->size() : session_.Records().size());
        return session_.WriteJson(destination, cancel, [&progress](int done) { progress.done = done; },
                                  kept ? &*kept : nullptr);
    };
    const QString what = kept ? QStringLiteral("the %L1 systems shown").arg(kept->size()) : session_.Title();
    // A copy: the sector's own document, and whether it is saved, stay as they were.
    WriteWholeInBackground(name, writeJson,
                           QStringLiteral("Exported %1 as %2").arg(what, QDir::toNativeSeparators(name)));
}

void GeneratorDialog::WriteWhole(const QString& name, const std::function<bool(QSaveFile&)>& write,
                                 const QString& done)
{
    TellSaveOutcome(SaveWhole(name, write), done.isEmpty() ? QStringLiteral("Saved %1").arg(name) : done);
}

bool GeneratorDialog::WriteWholeInBackground(const QString& name, const FileWriter& write, const QString& done)
{
    SaveOutcome outcome = SaveOutcome::Written;
    const bool finished =
        RunInBackground(this, prompts_,
                        playerView_ ? QStringLiteral("Saving...")
                                    : QStringLiteral("Saving %1...").arg(QFileInfo(name).fileName()),
                        [&](const std::atomic<bool>& cancel, WorkProgress& progress) {
                            // A write cancelled is never committed.
                            outcome = SaveWhole(name, [&](QSaveFile& destination) {
                                return write(destination, cancel, progress) && !cancel.load();
                            });
                        });
    // Cancelled, the write left the file as it was.
    if (finished) {
        TellSaveOutcome(outcome, done.isEmpty() ? QStringLiteral("Saved %1").arg(name) : done);
    }
    return finished && outcome == SaveOutcome::Written;
}

void GeneratorDialog::TellSaveOutcome(SaveOutcome outcome, const QString& done)
{
    if (outcome == SaveOutcome::OpenFailed) {
        prompts_.ShowMessage(this, QString::fromLatin1(kSaveOpenFailed));
    } else if (outcome == SaveOutcome::WriteFailed) {
        prompts_.ShowMessage(this, QString::fromLatin1(kSaveWriteFailed));
    } else if (playerView_) {
        // What was saved says the run's seed and where the referee keeps it.
        Tell(QStringLiteral("Saved (Player View names no file)"));
    } else if (!done.isEmpty()) {
        Tell(done);
    }
}

void GeneratorDialog::OpenJson()
{
    if (!MaySetAsideEdits()) {
        return;
    }
    const QString name = prompts_.AskOpenFileName(this, QString::fromLatin1(kJsonSaveKind.filter), saveFolder_);
    if (!name.isEmpty()) {
        OpenAsDocument(name);
    }
}

void GeneratorDialog::OpenFile(const QString& name)
{
    if (MaySetAsideEdits()) {
        OpenAsDocument(name);
    }
}

bool GeneratorDialog::ShowFile(const QString& name)
{
    // Reading and rendering both go to the worker; a file that cannot be
    // shown whole, or an open cancelled, leaves the earlier run as it was.
    QString refusal;
    const auto readAndRender = [&](const std::atomic<bool>& cancel,
                                   WorkProgress& progress) -> std::optional<RenderedRun> {
        std::variant<LoadedRun, QString> read = ReadRunFile(name);
        if (QString* message = std::get_if<QString>(&read)) {
            refusal = std::move(*message);
            return std::nullopt;
        }
        const JsonRunSummary saved = std::get<LoadedRun>(read).summary;
        progress.total = saved.settings.systems;
        // The run renders from the records it keeps, so they are held once.
        auto records = std::make_unique<RunRecords>(std::get<LoadedRun>(std::move(read)));
        const RunRecords& kept = *records;
        return RenderRun(
            saved.settings, session_.ReportDirectory(),
            [&kept](ResultTree& tree, ReportFiles& reports, Notifier& notifier, const SystemDone& systemDone,
                    std::span<RunOutput* const> observers) {
                RenderLoadedRun(kept.AsLoadedRun(), tree, reports, notifier, systemDone, observers);
            },
            cancel, [&progress](int done) { progress.done = done; }, std::move(records));
    };
    const bool shown = Render(QStringLiteral("Opening %1...").arg(QFileInfo(name).fileName()), readAndRender);
    if (!refusal.isEmpty()) {
        prompts_.ShowMessage(this, refusal);
        return false;
    }
    if (!shown) {
        return false;
    }
    // The controls show the run's options, so Generate repeats them; a
    // count the field would refuse (a document of 10,000 systems) leaves
    // the field as it was, so the next Generate is not refused for it.
    const RunSettings& run = session_.Description();
    int acceptedCount = 0;
    if (ParseSystemCount(std::to_string(run.systems), acceptedCount) == CountParse::Ok) {
        numberField_->setText(QString::number(run.systems));
    }
    levelGroup_->button(int(run.level))->setChecked(true);
    censusBox_->setChecked(run.census);
    return true;
}

QString GeneratorDialog::AskDocumentName(const QString& title)
{
    return AskSaveName(kJsonSaveKind.filter, kJsonSaveKind.defaultSuffix, title);
}

QString GeneratorDialog::AskSaveName(const char* filter, const char* defaultSuffix, const QString& title)
{
    const QString name = prompts_.AskSaveFileName(this, QString::fromLatin1(filter),
                                                  QString::fromLatin1(defaultSuffix), saveFolder_, title);
    if (!name.isEmpty()) {
        RememberFolder(name);
    }
    return name;
}

void GeneratorDialog::RememberFolder(const QString& fileName)
{
    saveFolder_ = QFileInfo(fileName).absolutePath();
    UserSettings().setValue(QString::fromLatin1(kSaveFolderKey), saveFolder_);
}

}  // namespace nexmar
