#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>
#include <string>

#include "app/printing/run_printer.h"
#include "core/report_files.h"
#include "handout/handout_page.h"
#include "model/run_records.h"
#include "picture/picture_sheet.h"
#include "pictures/hidden_field_cases.h"
#include "players/player_tree.h"
#include "run/generation_run.h"
#include "support/scratch.h"

namespace nexmar {

using testing::FieldCase;
using testing::HiddenFieldCases;
using testing::Variant;

// Every output the players are handed, of systems that differ in one field
// alone: where the field is hidden, each output is the same for every value
// the field takes, so no byte of it tells the value; where it is shown, each
// output that shows the field tells the values apart. The documents a
// reader would refuse (a value no table gives) cannot carry a marker word in
// a figure, so the value's mark is what differs between the values.
class PlayerOutputsTest : public QObject {
    Q_OBJECT

private slots:
    void everyOutputHidesAHiddenFieldAndShowsAShownOne_data();
    void everyOutputHidesAHiddenFieldAndShowsAShownOne();

private:
    QTemporaryDir dir_;
};

namespace {

// What the players are handed, by output.
constexpr std::array<const char*, 6> kOutputs = {"HTML handout",       "handout PDF's text", "--player picture",
                                                 "--player sheet",     "Player View's tree", "Player View's picture"};
using Outputs = std::array<std::string, kOutputs.size()>;

void GatherTree(const PlayerTree& players, ItemId item, std::string& texts)
{
    for (const ItemId child : players.Children(item)) {
        texts.append(players.Text(child)).append("\n");
        GatherTree(players, child, texts);
    }
}

std::string PdfText(const RunRecords& records, const QString& path)
{
    {
        QPdfWriter pdf(path);
        UsePaper(pdf);
        PrintRequest request;
        request.run = QStringLiteral("1 system");
        request.selection = QStringLiteral("All 1 systems");
        request.places = {0};
        request.players = &records.Edits();
        if (!PrintSystems(pdf, records, request, [](int) { return true; })) {
            qFatal("no PDF painted");
        }
    }
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (!text.waitForFinished(60000) || text.exitCode() != 0) {
        qFatal("pdftotext failed");
    }
    return text.readAllStandardOutput().toStdString();
}

// The system as System 1 of a run of its own, with only hidden kept from the players.
Outputs PlayersOutputs(const Variant& variant, PlayerFields hidden, const QString& pdfPath)
{
    LoadedRun run;
    run.summary.settings.level = LevelOf(variant.record);
    run.summary.settings.census = true;
    run.numbers = {1};
    run.systems = {variant.record};
    RunRecords records(std::move(run));
    SystemEdits made;
    made.name = variant.name;
    made.hidden = hidden;
    records.SetEdits(0, made);

    Outputs outputs;
    HandoutPage handout([&](std::string_view bytes) { outputs[0].append(bytes); }, records.Edits());
    PictureSheet sheet(LevelOf(variant.record), 1, [&](std::string_view bytes) { outputs[3].append(bytes); },
                       &records.Edits(), PictureAudience::Players);
    RunOutput* const observers[] = {&handout, &sheet};
    const testing::TempDir reportDir;
    ReportFiles reports(reportDir.path());
    testing::RecordingNotifier notifier;
    ResultTree tree;
    RenderLoadedRun(records.AsLoadedRun(), tree, reports, notifier, {}, observers);

    outputs[1] = PdfText(records, pdfPath);
    outputs[2] = records.SystemSvg(0, PictureLegend::Below, true);
    const PlayerTree players(std::make_shared<ShownTree>(ShownTree::CopyOf(tree)), records);
    outputs[4] = players.Name(0) + "\n";
    for (const ItemId system : players.Systems()) {
        outputs[4].append(players.Text(system)).append("\n");
        GatherTree(players, system, outputs[4]);
    }
    outputs[5] = records.SystemSvg(0, PictureLegend::Without, true);
    return outputs;
}

}  // namespace

void PlayerOutputsTest::everyOutputHidesAHiddenFieldAndShowsAShownOne_data()
{
    QTest::addColumn<int>("index");
    const std::vector<FieldCase> cases = HiddenFieldCases();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        QTest::newRow((std::string(cases[i].what) + " " + std::string(PlayerFieldName(cases[i].field))).c_str())
            << static_cast<int>(i);
    }
}

void PlayerOutputsTest::everyOutputHidesAHiddenFieldAndShowsAShownOne()
{
    QFETCH(int, index);
    const FieldCase c = HiddenFieldCases()[static_cast<std::size_t>(index)];
    const QString pdf = dir_.filePath(QStringLiteral("handout.pdf"));
    const Outputs hiddenFirst = PlayersOutputs(c.variants.front(), {c.field}, pdf);
    const Outputs shownFirst = PlayersOutputs(c.variants.front(), {}, pdf);
    std::array<bool, kOutputs.size()> toldApart{};
    for (std::size_t v = 1; v < c.variants.size(); ++v) {
        const Outputs hidden = PlayersOutputs(c.variants[v], {c.field}, pdf);
        const Outputs shown = PlayersOutputs(c.variants[v], {}, pdf);
        for (std::size_t o = 0; o < kOutputs.size(); ++o) {
            QVERIFY2(hidden[o] == hiddenFirst[o], kOutputs[o]);
            toldApart[o] = toldApart[o] || shown[o] != shownFirst[o];
        }
    }
    for (std::size_t o = 0; o < kOutputs.size(); ++o) {
        QVERIFY2(toldApart[o], kOutputs[o]);
    }
}

}  // namespace nexmar

QTEST_MAIN(nexmar::PlayerOutputsTest)
#include "player_outputs_test.moc"
