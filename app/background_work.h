#pragma once

#include <QString>

#include <atomic>
#include <functional>

class QWidget;

namespace nexmar {

class UserPrompts;

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
bool RunInBackground(QWidget* parent, UserPrompts& prompts, const QString& label, const BackgroundWork& work);

}  // namespace nexmar
