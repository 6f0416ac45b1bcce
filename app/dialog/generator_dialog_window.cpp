// The window as the user left it, between runs of the program: its size and
// place, and the panes that were open. A first start keeps the window as
// it is designed; a place remembered on a screen no longer there, or off
// it, gives way to one on the screen.
#include <QAction>
#include <QSettings>

#include <utility>

#include "app/commands/dialog_actions.h"
#include "app/dialog/generator_dialog.h"
#include "app/kit/screen_room.h"
#include "app/kit/user_settings.h"

namespace nexmar {

namespace {

constexpr const char* kGeometryKey = "window/geometry";
constexpr const char* kPanesKey = "window/panes";

// The panes a window reopens, by their commands; each needs a run shown
// but the legend.
constexpr const char* kPaneCommands[] = {"showPictureAction", "showNotesAction", "overviewAction",
                                         "showLegendAction"};

}  // namespace

void GeneratorDialog::RememberWindow() const
{
    QSettings settings = UserSettings();
    settings.setValue(QString::fromLatin1(kGeometryKey), saveGeometry());
    QStringList open;
    for (const char* name : kPaneCommands) {
        if (actions_->Action(name)->isChecked()) {
            open << QString::fromLatin1(name);
        }
    }
    settings.setValue(QString::fromLatin1(kPanesKey), open);
}

void GeneratorDialog::RestoreWindow()
{
    const QSettings settings = UserSettings();
    const QByteArray geometry = settings.value(QString::fromLatin1(kGeometryKey)).toByteArray();
    if (!geometry.isEmpty()) {
        restoreGeometry(geometry);
        KeepOnScreen(*this);
    }
    panesToReopen_ = settings.value(QString::fromLatin1(kPanesKey)).toStringList();
    ReopenPanes();
}

void GeneratorDialog::ReopenPanes()
{
    if (panesToReopen_.isEmpty()) {
        return;
    }
    // The size remembered holds the panes already: showing them widens nothing.
    const QSize remembered = size();
    QStringList waiting;
    for (const QString& name : std::as_const(panesToReopen_)) {
        QAction* pane = actions_->Action(name.toLatin1().constData());
        if (pane == nullptr) {
            continue;
        }
        if (!pane->isEnabled()) {
            waiting << name;
        } else if (!pane->isChecked()) {
            pane->trigger();
        }
    }
    panesToReopen_ = waiting;
    if (!isMaximized() && !isFullScreen()) {
        resize(remembered);
    }
}

}  // namespace nexmar
