#include "app/document/run_session.h"

#include <QFile>

#include <utility>

#include "json/json_export.h"
#include "map/run_places.h"

namespace nexmar {

namespace {

// A JSON document is written in blocks of this many bytes.
constexpr std::size_t kJsonWriteBlock = std::size_t{1} << 20;

// Keeps the engine's messages until the dialog can show them, after the run.
class QueuedNotifier final : public Notifier {
public:
    explicit QueuedNotifier(std::vector<std::string>& messages) : messages_(messages) {}
    void Notify(const std::string& message) override { messages_.push_back(message); }

private:
    std::vector<std::string>& messages_;
};

}  // namespace

RenderedRun RenderRun(const RunSettings& description, const std::filesystem::path& reportDirectory,
                      const RunRender& render, const std::atomic<bool>& cancel,
                      const std::function<void(int)>& progress, std::unique_ptr<RunRecords> records)
{
    RenderedRun run;
    run.description = description;
    // Delivered when complete, so a run cancelled or failed halfway leaves
    // the earlier run's reports in place for Save to File.
    run.reports = std::make_unique<ReportFiles>(reportDirectory, ReportDelivery::WhenComplete);
    const bool recordsKnown = records != nullptr;
    run.records = recordsKnown ? std::move(records) : std::make_unique<RunRecords>(description.seed);
    // Records known already are not kept a second time.
    RunOutput* const observers[] = {run.records.get()};
    QueuedNotifier notifier(run.messages);
    // The engine's tree holds one system at a time: each finished system
    // moves into the tree shown, which keeps it in far less memory.
    ResultTree building;
    auto tree = std::make_shared<ShownTree>();
    int done = 0;
    const SystemDone systemDone = [&](const ResultTree&, ItemId system) {
        tree->AddSystem(building, system);
        building.DropFrom(system);
        if (cancel.load(std::memory_order_relaxed)) {
            throw RenderCancelled{};
        }
        progress(++done);
    };
    if (cancel.load(std::memory_order_relaxed)) {
        throw RenderCancelled{};
    }
    render(building, *run.reports, notifier, systemDone,
           std::span<RunOutput* const>(observers).first(recordsKnown ? 0 : 1));
    tree->AddTopLevel(building);
    run.tree = std::move(tree);
    return run;
}

RunSession::RunSession(SeedSource seeds, std::filesystem::path reportDirectory)
    : reportDirectory_(std::move(reportDirectory)), seeds_(std::move(seeds))
{
}

RunSession::~RunSession() = default;

std::vector<Seed> RunSession::TakeRerollSeeds(std::size_t count)
{
    std::vector<Seed> seeds(count);
    for (Seed& seed : seeds) {
        seed = EntropySeed();
    }
    return seeds;
}

void RunSession::Show(RenderedRun run)
{
    reports_ = std::move(run.reports);
    shown_.emplace(
        ShownRun{run.description, std::move(run.tree), std::move(run.records)});
}

void RunSession::WriteJson(const JsonExport::Sink& sink, const std::atomic<bool>& cancel,
                           const std::function<void(int)>& progress, const std::vector<std::size_t>* kept) const
{
    RunSettings settings = Description();
    // A document of some systems says how many its run rolled.
    if (kept != nullptr && settings.systemsRolled == 0) {
        settings.systemsRolled = settings.systems;
    }
    JsonExport json("nexmar", sink, &Records().Edits());
    json.Begin(settings);
    const RunRecords& records = Records();
    const std::size_t count = kept == nullptr ? records.size() : kept->size();
    for (std::size_t index = 0; index < count; ++index) {
        if (cancel.load(std::memory_order_relaxed)) {
            throw RenderCancelled{};
        }
        const std::size_t place = kept == nullptr ? index : (*kept)[index];
        json.Add(records.NumberAt(place), records.At(place));
        progress(static_cast<int>(index) + 1);
    }
    json.Finish();
}

bool RunSession::WriteJson(QIODevice& destination, const std::atomic<bool>& cancel,
                           const std::function<void(int)>& progress, const std::vector<std::size_t>* kept) const
{
    std::string pending;
    bool written = true;
    const auto flush = [&] {
        const auto size = static_cast<qint64>(pending.size());
        written = written && destination.write(pending.data(), size) == size;
        pending.clear();
    };
    WriteJson(
        [&](std::string_view text) {
            pending.append(text);
            if (pending.size() >= kJsonWriteBlock) {
                flush();
            }
        },
        cancel, progress, kept);
    flush();
    return written;
}

LoadedRun RunSession::KeptRun(const std::vector<std::size_t>& kept) const
{
    const LoadedRun& all = Records().AsLoadedRun();
    LoadedRun run;
    run.summary = all.summary;
    // A run generated here keeps no document's head: its settings are it.
    run.summary.settings.level = Description().level;
    run.summary.settings.census = Description().census;
    run.summary.settings.systems = static_cast<int>(kept.size());
    run.edits = all.edits;
    for (const std::size_t place : kept) {
        run.numbers.push_back(all.numbers[place]);
        run.systems.push_back(all.systems[place]);
    }
    return run;
}

RunStatistics RunSession::Statistics() const
{
    RunStatistics statistics(shown_->description.level, shown_->description.census);
    const RunRecords& records = *shown_->records;
    for (std::size_t place = 0; place < records.size(); ++place) {
        statistics.Add(records.NumberAt(place), records.At(place));
    }
    return statistics;
}

std::string RunSession::SystemSvg(std::size_t place, PictureLegend legend, bool players) const
{
    return shown_ ? shown_->records->SystemSvg(place, legend, players) : std::string();
}

std::string RunSession::HexName(std::size_t place) const
{
    if (!shown_ || place >= Records().size()) {
        return {};
    }
    const SystemPlaces hexes = RunPlaces(Description(), Records().Edits());
    return PlaceName(hexes.Extent(), hexes.Of(Records().NumberAt(place)));
}

QString RunSession::SystemHeading(std::size_t place, bool players) const
{
    if (!shown_ || place >= Records().size()) {
        return {};
    }
    const SectorEdits& edits = Records().Edits();
    const int number = Records().NumberAt(place);
    const std::optional<PlayerSystem> player = players ? PlayerSystemOf(edits, number) : std::nullopt;
    const std::string name = players ? (player ? player->name : std::string()) : edits.Name(number);
    QString heading = QStringLiteral("System %1").arg(number);
    if (!name.empty()) {
        heading += QStringLiteral(", ") + QString::fromStdString(name);
    }
    if (!players || player) {
        heading += QStringLiteral(", hex ") + QString::fromStdString(HexName(place));
    }
    return heading;
}

QString RunSession::Title() const
{
    const RunSettings& run = Description();
    return QStringLiteral("%L1 %2 system%3, seed %4")
        .arg(run.systems)
        .arg(QString::fromUtf8(DetailLevelName(run.level)), run.systems == 1 ? QString() : QStringLiteral("s"))
        .arg(run.seed);
}

bool RunSession::OpenReport(bool html, QFile& source) const
{
    if (reports_ == nullptr) {
        return false;
    }
    source.setFileName(QString::fromStdString((html ? reports_->HtmlPath() : reports_->TextPath()).string()));
    return source.open(QIODevice::ReadOnly) && reports_->IsAsClosed(source.handle(), html);
}

}  // namespace nexmar
