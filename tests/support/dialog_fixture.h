#pragma once

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <cstdint>
#include <memory>

#include "app/dialog/generator_dialog.h"
#include "support/fake_prompts.h"

namespace nexmar::testing {

// What every dialog test starts from: a dialog whose runs write into a
// scratch folder, whose prompts are answered in advance, and which never
// sees the user's settings or recovery copies. A test class derives from it besides QObject.
class DialogFixture {
public:
    // A fresh dialog whose runs take their seeds from seeds (a number: the
    // first run's seed); shown and active when show.
    void Start(SeedSource seeds, bool show = true)
    {
        dir_ = std::make_unique<QTemporaryDir>();
        if (!dir_->isValid()) {
            qFatal("no scratch folder");
        }
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_->filePath(QStringLiteral("settings")));
        // The recovery copies too stay in the scratch folder.
        qputenv("XDG_DATA_HOME", dir_->filePath(QStringLiteral("data")).toLocal8Bit());
        prompts = FakePrompts();
        Reopen(std::move(seeds), show);
    }
    // A new dialog in place of the first, in the same folder and with the
    // same prompts, as when the program is started again.
    void Reopen(SeedSource seeds, bool show = true)
    {
        dialog_.reset();
        dialog_ = std::make_unique<GeneratorDialog>(prompts, std::move(seeds), dir_->path().toStdString());
        if (show) {
            dialog_->show();
            if (!QTest::qWaitForWindowActive(dialog_.get())) {
                qFatal("the dialog never became active");
            }
        }
    }
    // Ends the dialog, keeping its folder.
    void CloseDialog() { dialog_.reset(); }
    void Stop()
    {
        dialog_.reset();
        dir_.reset();
    }

    GeneratorDialog& Dialog() const { return *dialog_; }
    GeneratorDialog* operator->() const { return dialog_.get(); }
    template <class W>
    W* Find(const char* name) const
    {
        return FindWidget<W>(*dialog_, name);
    }
    // The dialog's action with that object name.
    QAction* Action(const char* name) const
    {
        auto* action = dialog_->findChild<QAction*>(QString::fromLatin1(name));
        if (action == nullptr) {
            qFatal("no action %s", name);
        }
        return action;
    }
    QLineEdit* NumberField() const { return Find<QLineEdit>("numberField"); }
    QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
    QTreeView* Tree() const { return Find<QTreeView>("resultTree"); }
    // "System Results", the parent of every system shown.
    QModelIndex Root() const { return Tree()->model()->index(0, 0); }
    QString InDir(const QString& name) const { return dir_->filePath(name); }
    QString Dir() const { return dir_->path(); }

    // A run of count systems, from the Generate button.
    void Run(const QString& count) const
    {
        NumberField()->setText(count);
        Button("generateButton")->click();
    }
    // The dialog's context menu, as a right click on a label opens it; the
    // caller closes it.
    QMenu* OpenContextMenu() const
    {
        auto* label = Find<QLabel>("numberLabel");
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(label, &click);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            qFatal("no context menu");
        }
        return menu;
    }

    FakePrompts prompts;

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<GeneratorDialog> dialog_;
};

}  // namespace nexmar::testing
