#include "app/kit/background_work.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <exception>
#include <memory>

#include "app/kit/screen_room.h"
#include "app/kit/user_prompts.h"

namespace nexmar {

namespace {

// How often the progress window reads the work's progress.
constexpr int kProgressIntervalMs = 50;
// Work that ends sooner shows no progress window.
constexpr int kProgressDelayMs = 400;

// Swallows every key, click and wheel turn meant for a window other than
// the progress window, for as long as it lives.
class InputBlocker final : public QObject {
public:
    explicit InputBlocker(QWidget& allowed) : allowed_(allowed) { qApp->installEventFilter(this); }
    ~InputBlocker() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu: {
            const auto* widget = qobject_cast<QWidget*>(watched);
            return widget == nullptr || (widget != &allowed_ && !allowed_.isAncestorOf(widget));
        }
        default:
            return false;
        }
    }

private:
    QWidget& allowed_;
};

// The progress window of long work; Cancel, Escape and closing it all
// call cancel.
void SetUpProgressWindow(QProgressDialog& window, const std::function<void()>& cancel)
{
    window.setObjectName(QStringLiteral("workProgress"));
    // The label names the file worked on, which is never markup.
    auto* label = new QLabel(window.labelText());
    label->setTextFormat(Qt::PlainText);
    window.setLabel(label);
    window.setWindowTitle(QStringLiteral("Tolvik Nexmar"));
    window.setWindowModality(Qt::WindowModal);
    window.setAutoReset(false);
    window.setAutoClose(false);
    window.setMinimumDuration(kProgressDelayMs);
    QObject::connect(&window, &QProgressDialog::canceled, cancel);
    QObject::connect(&window, &QDialog::rejected, cancel);
    window.setValue(0);
    KeepOnScreenWhenShown(window);
}

// A progress window that showed took the activation; the keys and
// shortcuts go back to the window that asked for the work.
void GiveBackActivation(QProgressDialog& window, QWidget* parent)
{
    if (window.isVisible()) {
        window.hide();
        if (parent != nullptr) {
            parent->window()->activateWindow();
        }
    }
}

}  // namespace

bool RunInBackground(QWidget* parent, UserPrompts& prompts, const QString& label, const BackgroundWork& work,
                     bool cancellable)
{
    std::atomic<bool> cancel{false};
    WorkProgress progress;
    std::exception_ptr failure;

    QProgressDialog window(label, QStringLiteral("Cancel"), 0, 0, parent);
    SetUpProgressWindow(window, [&cancel, cancellable] {
        if (cancellable) {
            cancel = true;
        }
    });
    if (!cancellable) {
        window.setCancelButton(nullptr);
    }

    QTimer ticker;
    ticker.setInterval(kProgressIntervalMs);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        window.setMaximum(progress.total.load());
        window.setValue(progress.done.load());
    });

    const std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work(cancel, progress);
        } catch (const RenderCancelled&) {
            // The caller sees the cancel it asked for.
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    {
        const InputBlocker blocker(window);
        // Told before the work starts, so that a cancel at once comes before any of it.
        prompts.WorkStarted(window);
        thread->start();
        ticker.start();
        loop.exec();
        thread->wait();
    }
    GiveBackActivation(window, parent);
    if (failure) {
        std::rethrow_exception(failure);
    }
    return !cancel.load();
}

StepProgress::StepProgress(QWidget* parent, UserPrompts& prompts, const QString& label, int total)
    : window_(std::make_unique<QProgressDialog>(label, QStringLiteral("Cancel"), 0, total, parent))
{
    SetUpProgressWindow(*window_, [this] { cancelled_ = true; });
    inputBlocker_ = std::make_unique<InputBlocker>(*window_);
    sinceEvents_.start();
    prompts.WorkStarted(*window_);
}

StepProgress::~StepProgress()
{
    inputBlocker_.reset();
    GiveBackActivation(*window_, window_->parentWidget());
}

bool StepProgress::Step(int done)
{
    window_->setValue(done);
    // Often enough for the window to answer, seldom enough to cost nothing.
    if (sinceEvents_.elapsed() >= kProgressIntervalMs) {
        QCoreApplication::processEvents();
        sinceEvents_.restart();
    }
    return !cancelled_;
}

}  // namespace nexmar
