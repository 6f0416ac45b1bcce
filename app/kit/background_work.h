#pragma once

#include <QString>

#include <QElapsedTimer>

#include <atomic>
#include <functional>
#include <memory>

class QObject;
class QProgressDialog;

class QWidget;

namespace nexmar {

class UserPrompts;

// Thrown by background work that stops early, once it was cancelled: a
// render between two systems, a write between two of them.
struct RenderCancelled {};

// How far a piece of background work has come, written by its thread and
// read by the progress window.
struct WorkProgress {
    std::atomic<int> total{0};  // 0 while unknown
    std::atomic<int> done{0};
};

// The work: it stops early (by throwing RenderCancelled) once cancel turns
// true, and tells progress how far it has come.
using BackgroundWork = std::function<void(const std::atomic<bool>& cancel, WorkProgress& progress)>;

// Runs work on a thread of its own and returns once it has ended, the
// window meanwhile painting and showing a progress window with a Cancel
// button (after a moment, so short work shows none). No key or click
// reaches any other window while it works, so nothing typed meanwhile acts
// on the wrong window. Returns false when the user cancelled, whether or
// not the work had come to its end: its result is then to be dropped.
// An exception other than RenderCancelled thrown by work reaches the caller.
// Work that must end once begun (not cancellable) shows no Cancel button
// and always returns true.
bool RunInBackground(QWidget* parent, UserPrompts& prompts, const QString& label, const BackgroundWork& work,
                     bool cancellable = true);

// Long work that must stay on the GUI thread, such as painting, done in
// steps: between two steps the window paints and shows a progress window
// with a Cancel button (after a moment, as RunInBackground does). No key or
// click reaches any other window while it lives.
class StepProgress {
public:
    StepProgress(QWidget* parent, UserPrompts& prompts, const QString& label, int total);
    ~StepProgress();
    StepProgress(const StepProgress&) = delete;
    StepProgress& operator=(const StepProgress&) = delete;

    // Tells how many steps are done; false once the user cancelled.
    bool Step(int done);
    bool Cancelled() const { return cancelled_; }

private:
    std::unique_ptr<QProgressDialog> window_;
    std::unique_ptr<QObject> inputBlocker_;
    QElapsedTimer sinceEvents_;
    bool cancelled_ = false;
};

}  // namespace nexmar
