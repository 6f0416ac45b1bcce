#pragma once

#include <QString>

class QWidget;

namespace nexmar {

// Every window that waits for the user goes through here, so tests can
// answer in advance and nothing ever blocks on a modal window.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // A message box with an OK button.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // A save-file dialog with one filter; a name typed without extension gets
    // defaultSuffix. Returns an empty string when the user cancels.
    virtual QString AskSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) = 0;
    virtual void ShowAbout(QWidget* parent) = 0;
};

// The real windows: QMessageBox, QFileDialog and the About box.
class DialogPrompts final : public UserPrompts {
public:
    void ShowMessage(QWidget* parent, const QString& text) override;
    QString AskSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) override;
    void ShowAbout(QWidget* parent) override;
};

}  // namespace nexmar
