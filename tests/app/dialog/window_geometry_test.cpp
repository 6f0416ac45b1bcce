#include <QApplication>
#include <QDialog>
#include <QIcon>
#include <QLineEdit>
#include <QScrollArea>
#include <QTreeView>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>

#include "app/kit/artwork.h"
#include "app/dialog/generator_dialog.h"
#include "app/kit/user_prompts.h"
#include "support/dialog_fixture.h"

namespace nexmar {

// Every window on a 1280x900 screen, run once at a scale factor of 1 and
// once at 2 (where the screen has 640x450 device-independent pixels, less
// than the dialog's designed size): each lies on the screen, title bar and
// close button included.
class WindowGeometryTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { Start(1234); }
    void cleanup() { Stop(); }

    void theDialogStaysOnTheScreenWithItsPicture();
    void theOverviewShowsEveryColumnWhereTheScreenHasRoom();
    void theStatisticsWindowOpensOnTheScreenAndCtrlWClosesIt();
    void theDialogBoxesOpenOnTheScreen();
    void theTreesIconsAreDrawnForTheScreensDensity();
    void ctrlFOpensTheFindFieldInView();

private:
    static QRect Room() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    static void VerifyOnScreen(const QWidget& window, const char* what)
    {
        QVERIFY2(Room().contains(window.frameGeometry()),
                 qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 on %6x%7")
                                .arg(QLatin1String(what))
                                .arg(window.frameGeometry().x())
                                .arg(window.frameGeometry().y())
                                .arg(window.frameGeometry().width())
                                .arg(window.frameGeometry().height())
                                .arg(Room().width())
                                .arg(Room().height())));
    }
    // Runs ask while a timer closes the modal window it opens, which check
    // looks at first.
    static void WhileOpen(const std::function<void()>& ask, const std::function<void(QWidget&)>& check)
    {
        bool seen = false;
        QTimer timer;
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (modal != nullptr && modal->isVisible()) {
                QTest::qWait(50);  // the window's own fitting, queued after its show
                check(*modal);
                seen = true;
                modal->reject();
            }
        });
        timer.start();
        ask();
        QVERIFY(seen);
    }
};

void WindowGeometryTest::initTestCase()
{
    // The screen the test asked for: 1280x900 device pixels.
    const QScreen& screen = *QGuiApplication::primaryScreen();
    QCOMPARE(screen.geometry().size() * screen.devicePixelRatio(), QSize(1280, 900));
}

void WindowGeometryTest::theDialogStaysOnTheScreenWithItsPicture()
{
    VerifyOnScreen(Dialog(), "dialog");
    Run("3");
    Tree()->setCurrentIndex(Tree()->model()->index(0, 0, Root()));
    Action("showPictureAction")->trigger();
    QTest::qWait(50);
    VerifyOnScreen(Dialog(), "dialog with its picture");
    // The tree is never squeezed to nothing: the controls scroll instead.
    QVERIFY(Tree()->isVisible());
    QVERIFY(Tree()->width() > 50);
    // The overview opens beside the picture, the dialog on the screen still.
    Action("overviewAction")->trigger();
    QTest::qWait(50);
    QVERIFY(Find<QWidget>("overviewPane")->isVisible());
    VerifyOnScreen(Dialog(), "dialog with its picture and overview");
    QVERIFY(Tree()->width() > 50);
    // So does the map, from its key.
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+M")));
    QTest::qWait(50);
    QVERIFY(Find<QWidget>("mapPane")->isVisible());
    VerifyOnScreen(Dialog(), "dialog with its picture, overview and map");
    QVERIFY(Tree()->width() > 50);
}

// Shown alone, the overview widens the dialog to show every column whole,
// where the screen has room; where it has none, the dialog stays on it.
void WindowGeometryTest::theOverviewShowsEveryColumnWhereTheScreenHasRoom()
{
    Run("3");
    const QPoint treeCorner = Tree()->mapTo(&Dialog(), QPoint(0, 0));
    Action("overviewAction")->trigger();
    QTest::qWait(50);
    VerifyOnScreen(Dialog(), "dialog with its overview");
    QCOMPARE(Tree()->mapTo(&Dialog(), QPoint(0, 0)), treeCorner);
    QVERIFY(Tree()->width() > 50);
    // A screen 1280 pixels wide has the room; one of 640 (at a scale factor of 2) has not.
    if (Room().width() >= 1280) {
        QVERIFY(!Find<QTableView>("overviewTable")->horizontalScrollBar()->isVisible());
    }
}

void WindowGeometryTest::theStatisticsWindowOpensOnTheScreenAndCtrlWClosesIt()
{
    Run("3");
    Action("statisticsAction")->trigger();
    QWidget* statistics = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowTitle().startsWith(QStringLiteral("Statistics:"))) {
            statistics = window;
        }
    }
    QVERIFY(statistics != nullptr);
    QVERIFY(QTest::qWaitForWindowActive(statistics));
    QTest::qWait(50);
    VerifyOnScreen(*statistics, "statistics window");
    QTest::keyClick(statistics, Qt::Key_W, Qt::ControlModifier);
    QTRY_VERIFY(!statistics->isVisible());
}

void WindowGeometryTest::theDialogBoxesOpenOnTheScreen()
{
    DialogPrompts real;
    // Each lies on the screen, and is wide enough for its title bar to show its title whole.
    const auto onScreen = [](const char* what) {
        return [what](QWidget& box) {
            VerifyOnScreen(box, what);
            QVERIFY2(box.width() >= std::min(box.fontMetrics().horizontalAdvance(box.windowTitle()), Room().width()),
                     what);
        };
    };
    WhileOpen([&] { real.ShowMessage(&Dialog(), QString(400, QLatin1Char('x'))); }, onScreen("message box"));
    WhileOpen([&] { real.AskSaveFileName(&Dialog(), QStringLiteral("JSON File (*.json)"), "json", Dir(),
                                                  QStringLiteral("Export JSON: 6 systems shown")); },
              onScreen("save dialog"));
    WhileOpen([&] { real.AskOpenFileName(&Dialog(), QStringLiteral("JSON File (*.json)"), Dir()); },
              onScreen("open dialog"));
    WhileOpen([&] { real.AskSeed(&Dialog(), QStringLiteral("7")); }, onScreen("seed input"));
    // A title wider than the box's fields.
    WhileOpen([&] { real.AskName(&Dialog(), QStringLiteral("Rename System 12 of the Vessa Reach Sector"), {}); },
              onScreen("name input"));
    WhileOpen([&] { real.ShowAbout(&Dialog()); }, onScreen("about box"));
}

// At a scale factor of 2 each icon of the tree has a picture drawn at
// twice the density, not one of 16 pixels stretched.
void WindowGeometryTest::theTreesIconsAreDrawnForTheScreensDensity()
{
    Run("3");
    const qreal density = Tree()->devicePixelRatioF();
    const QModelIndex system = Tree()->model()->index(0, 0, Root());
    QList<QIcon> icons = LoadTreeImages();
    icons.prepend(qvariant_cast<QIcon>(system.data(Qt::DecorationRole)));
    const QSize size(16, 16);
    for (qsizetype image = 0; image < icons.size(); ++image) {
        const QPixmap drawn = icons[image].pixmap(size, density);
        QCOMPARE(drawn.size(), size * density);
        QVERIFY2(density < 2 || icons[image].availableSizes().contains(size * 2),
                 qPrintable(QStringLiteral("image %1 has no picture at twice the density").arg(image)));
    }
}

void WindowGeometryTest::ctrlFOpensTheFindFieldInView()
{
    Run("3");
    QTest::keySequence(NumberField(), QKeySequence(QStringLiteral("Ctrl+F")));
    auto* field = Find<QLineEdit>("findField");
    QTRY_VERIFY(field->isVisible());
    const QWidget* viewport = Find<QScrollArea>("clientScroll")->viewport();
    const QRect shown(field->mapTo(viewport, QPoint(0, 0)), field->size());
    QVERIFY2(viewport->rect().contains(shown.topLeft()) && viewport->rect().contains(shown.bottomLeft()),
             qPrintable(QStringLiteral("the field at %1,%2 in a viewport of %3x%4")
                            .arg(shown.x()).arg(shown.y()).arg(viewport->width()).arg(viewport->height())));
}

}  // namespace nexmar

QTEST_MAIN(nexmar::WindowGeometryTest)
#include "window_geometry_test.moc"
