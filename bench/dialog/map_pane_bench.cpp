// The map pane's frames at 200 High systems, offscreen, side by side in one
// run, in wall time:
//   a frame of a pan (an arrow key, then the pane painted)
//   a frame of a zoom (a turn of the wheel, then the pane painted)
//   the SVG of the sector rendered whole at the scale shown: what every
//   frame would cost if the pane rendered the map's SVG for each
// The pane's budget is 16 ms a frame; the figures say how far within it a
// frame keeps, and how much the rendered image saves.
//   nexmar-map-pane-bench

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include "app/map/map_image_renderer.h"
#include "app/map/map_pane.h"
#include "dialog_bench_support.h"
#include "model/run_records.h"
#include "run/generation_run.h"

namespace nexmar {

namespace {

constexpr std::uint32_t kSeed = 2026;
constexpr int kSystems = 200;

}  // namespace

class MapPaneBench : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void panFrame();
    void zoomFrame();
    void wholeSvgRendered();

private:
    RunSettings settings_{kSystems, DetailLevel::High, false, kSeed};
    RunRecords records_{kSeed};
    MapPane pane_;
};

void MapPaneBench::initTestCase()
{
    RunOutput* const observers[] = {&records_};
    SeededDice dice(kSeed);
    ResultTree tree;
    ReportFiles reports("/dev/null", "/dev/null");
    bench::SilentNotifier notifier;
    RunGeneration({settings_, kSystems, false}, dice, tree, reports, notifier, {}, observers);
    pane_.resize(900, 700);
    pane_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane_));
    pane_.ShowRun(settings_, records_.AsLoadedRun(), MapAudience::Referee);
    QCOMPARE(pane_.Map().places.size(), std::size_t{kSystems});
    // Near enough to read the names, as a user pans the map.
    pane_.ZoomIn();
    pane_.ZoomIn();
    pane_.ZoomIn();
    QVERIFY(QTest::qWaitFor([this] { return pane_.Sharp(); }, 30000));
}

void MapPaneBench::panFrame()
{
    bool right = true;
    QBENCHMARK {
        QTest::keyClick(&pane_, right ? Qt::Key_Right : Qt::Key_Left);
        pane_.repaint();
        right = !right;
    }
}

void MapPaneBench::zoomFrame()
{
    const QPointF at(450, 350);
    int turn = 120;
    QBENCHMARK {
        QWheelEvent wheel(at, pane_.mapToGlobal(at), QPoint(), QPoint(0, turn), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&pane_, &wheel);
        pane_.repaint();
        turn = -turn;
    }
}

void MapPaneBench::wholeSvgRendered()
{
    const ShownMap& map = pane_.Map();
    const MapImageRequest request{QByteArray::fromStdString(map.svg), 0,
                                  QRectF(0, 0, map.layout.viewBox.width, map.layout.viewBox.height),
                                  pane_.Scale()};
    QBENCHMARK {
        const QImage image = MapImageRenderer::Render(request);
        QVERIFY(!image.isNull());
    }
}

}  // namespace nexmar

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    nexmar::MapPaneBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "map_pane_bench.moc"
