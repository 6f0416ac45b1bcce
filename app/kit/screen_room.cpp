#include "app/kit/screen_room.h"

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

QMargins FrameOf(const QWidget& window);
int TitleWidth(const QWidget& window);

// Refits its window after each show, after each resize (a window widened
// for a picture pane moves back onto the screen), and once the window
// system tells the frame it draws around it: a window first shown at the
// top of the screen, before its frame was known, would keep its title bar
// above the screen's edge.
class ScreenKeeper final : public QObject {
public:
    explicit ScreenKeeper(QWidget& window) : QObject(&window), window_(window) { window.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool shown = event->type() == QEvent::Show;
        const bool refit = shown || (event->type() == QEvent::Resize && window_.isVisible()) ||
                           ((event->type() == QEvent::Move || event->type() == QEvent::ActivationChange) &&
                            FrameOf(window_) != fittedFrame_);
        if (watched == &window_ && refit) {
            QTimer::singleShot(0, this, [this, shown] {
                if (shown) {
                    FitTitle(window_);
                }
                KeepOnScreen(window_);
                fittedFrame_ = FrameOf(window_);
            });
        }
        return false;
    }

private:
    QWidget& window_;
    QMargins fittedFrame_;
};

QMargins FrameOf(const QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    return handle != nullptr && window.isVisible() ? handle->frameMargins() : QMargins();
}

// The width a window's title bar needs to show its title whole: the title,
// in bold as window managers draw it, beside the icon and three buttons,
// each about as wide as the bar is high, and the gaps between them (about
// eight bars in all: what openbox's title bar takes at 1280x900).
int TitleWidth(const QWidget& window)
{
    QFont bold = window.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int bar = std::max(FrameOf(window).top(), metrics.height());
    return metrics.horizontalAdvance(window.windowTitle()) + 8 * bar;
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
    // Where the frame starts, as the window system draws it: the widget's
    // own record of its frame, which pos() and move() go by, may lag behind.
    const QPoint inset(frame.left(), frame.top());
    const QPoint corner = window.geometry().topLeft() - inset;
    const QSize outer = window.size().grownBy(frame);
    const int x = std::clamp(corner.x(), room.left(), std::max(room.left(), room.right() + 1 - outer.width()));
    const int y = std::clamp(corner.y(), room.top(), std::max(room.top(), room.bottom() + 1 - outer.height()));
    if (QPoint(x, y) != corner) {
        const QPoint recordedInset = window.geometry().topLeft() - window.pos();
        window.move(QPoint(x, y) + inset - recordedInset);
    }
}

void KeepOnScreenWhenShown(QWidget& window)
{
    new ScreenKeeper(window);
}

}  // namespace nexmar
