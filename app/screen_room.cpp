#include "app/screen_room.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace nexmar {

namespace {

// Refits its window after each show, once the frame is known, and after
// each resize (a window widened for a picture pane moves back onto the screen).
class ScreenKeeper final : public QObject {
public:
    explicit ScreenKeeper(QWidget& window) : QObject(&window), window_(window) { window.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool refit = event->type() == QEvent::Show || (event->type() == QEvent::Resize && window_.isVisible());
        if (watched == &window_ && refit) {
            const bool shown = event->type() == QEvent::Show;
            QTimer::singleShot(0, this, [this, shown] {
                if (shown) {
                    FitTitle(window_);
                }
                KeepOnScreen(window_);
            });
        }
        return false;
    }

private:
    QWidget& window_;
};

QMargins FrameOf(const QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    return handle != nullptr && window.isVisible() ? handle->frameMargins() : QMargins();
}

// The width a window's title bar needs to show its title whole: the title,
// in bold as window managers draw it, beside the icon and three buttons,
// each about as wide as the bar is high.
int TitleWidth(const QWidget& window)
{
    QFont bold = window.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int bar = std::max(FrameOf(window).top(), metrics.height());
    return metrics.horizontalAdvance(window.windowTitle()) + 5 * bar;
}

}  // namespace

void FitTitle(QWidget& window)
{
    const int wanted = std::min(TitleWidth(window), ScreenRoom(window).width());
    if (window.width() < wanted) {
        window.resize(wanted, window.height());
    }
}

QRect ScreenRoom(const QWidget& window)
{
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

void KeepOnScreen(QWidget& window)
{
    const QRect room = ScreenRoom(window);
    if (room.isEmpty()) {
        return;
    }
    const QMargins frame = FrameOf(window);
    const QSize most = room.size().shrunkBy(frame);
    window.setMinimumSize(window.minimumSize().boundedTo(most));
    window.setMaximumSize(window.maximumSize().boundedTo(most));
    window.resize(window.size().boundedTo(most));
    // pos() is where the frame starts.
    const QSize outer = window.size().grownBy(frame);
    const int x = std::clamp(window.x(), room.left(), std::max(room.left(), room.right() + 1 - outer.width()));
    const int y = std::clamp(window.y(), room.top(), std::max(room.top(), room.bottom() + 1 - outer.height()));
    if (QPoint(x, y) != window.pos()) {
        window.move(x, y);
    }
}

void KeepOnScreenWhenShown(QWidget& window)
{
    new ScreenKeeper(window);
}

}  // namespace nexmar
