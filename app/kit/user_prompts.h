#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <span>

#include "gen/names/visibility.h"

class QPrinter;
class QProgressDialog;
class QWidget;

namespace nexmar {

// What the user does with edits not yet saved, when they would be set aside.
enum class UnsavedAnswer { Save, Discard, Cancel };

// What the user does when the document about to be saved over was written
// by someone else (another window, another program) since it was opened or saved.
enum class ChangedOnDiskAnswer { Reload, Overwrite, SaveAs, Cancel };

// Every window that waits for the user goes through here, so tests can
// answer in advance and nothing ever blocks on a modal window. Every text
// they show is plain text: it may quote a file's name or contents, or a
// name the user typed, which must never be read as markup.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // A message box with an OK button.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // A save-file dialog with one filter, opened in directory (empty: the
    // working directory); a name typed without extension gets defaultSuffix.
    // title says what is saved ("Export JSON: 6 systems shown"). Returns an
    // empty string when the user cancels.
    virtual QString AskSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                                    const QString& directory, const QString& title) = 0;
    // An open-file dialog with one filter, opened in directory (empty: the
    // working directory). Returns an empty string when the user cancels.
    virtual QString AskOpenFileName(QWidget* parent, const QString& filter, const QString& directory) = 0;
    // A one-line input for a seed, showing text; nothing when the user cancels.
    virtual std::optional<QString> AskSeed(QWidget* parent, const QString& text) = 0;
    // A one-line input for a system's name, showing text; title names the
    // system ("Rename System 3"); nothing when the user cancels.
    virtual std::optional<QString> AskName(QWidget* parent, const QString& title, const QString& text) = 0;
    // Save, Discard or Cancel for the edits of document (its file name,
    // or empty for a sector never saved), before they are set aside.
    virtual UnsavedAnswer AskSaveChanges(QWidget* parent, const QString& document) = 0;
    // Whether to restore the edits a dialog that ended without closing left
    // in a recovery copy; text says whose they are and when they were made.
    virtual bool AskRestore(QWidget* parent, const QString& text) = 0;
    // OK or Cancel before a command that changes much (title: its name)
    // does what text says; whether the user chose OK.
    virtual bool AskProceed(QWidget* /*parent*/, const QString& /*title*/, const QString& /*text*/) { return false; }
    // Reload, Overwrite, Save As or Cancel, before Save writes over document
    // (its file name), which changed on disk since it was opened or saved.
    virtual ChangedOnDiskAnswer AskChangedOnDisk(QWidget* /*parent*/, const QString& /*document*/)
    {
        return ChangedOnDiskAnswer::Cancel;
    }
    // Checkboxes, one for each field offered, ticked for those hidden; the
    // fields ticked when the user accepts, nothing when the user cancels.
    // title names the system ("Hidden Fields of System 3").
    virtual std::optional<PlayerFields> AskHiddenFields(QWidget* /*parent*/, const QString& /*title*/,
                                                        std::span<const PlayerField> /*offered*/,
                                                        PlayerFields /*hidden*/)
    {
        return std::nullopt;
    }
    // A text of several lines, showing text; nothing when the user cancels.
    virtual std::optional<QString> AskNotes(QWidget* /*parent*/, const QString& /*title*/, const QString& /*text*/)
    {
        return std::nullopt;
    }
    virtual void ShowAbout(QWidget* parent) = 0;
    // The print preview, whose pages paint draws on the printer chosen there.
    virtual void ShowPrintPreview(QWidget* parent, const std::function<void(QPrinter&)>& paint) = 0;
    // The window that shows long work going on, as the work starts; the
    // user may cancel through it at any time.
    virtual void WorkStarted(QProgressDialog& /*progress*/) {}
};

// The real windows: QMessageBox, QFileDialog and the About box.
class DialogPrompts final : public UserPrompts {
public:
    void ShowMessage(QWidget* parent, const QString& text) override;
    QString AskSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                            const QString& directory, const QString& title) override;
    QString AskOpenFileName(QWidget* parent, const QString& filter, const QString& directory) override;
    std::optional<QString> AskSeed(QWidget* parent, const QString& text) override;
    std::optional<QString> AskName(QWidget* parent, const QString& title, const QString& text) override;
    UnsavedAnswer AskSaveChanges(QWidget* parent, const QString& document) override;
    bool AskRestore(QWidget* parent, const QString& text) override;
    bool AskProceed(QWidget* parent, const QString& title, const QString& text) override;
    ChangedOnDiskAnswer AskChangedOnDisk(QWidget* parent, const QString& document) override;
    // player_prompts.cpp
    std::optional<PlayerFields> AskHiddenFields(QWidget* parent, const QString& title,
                                                std::span<const PlayerField> offered, PlayerFields hidden) override;
    std::optional<QString> AskNotes(QWidget* parent, const QString& title, const QString& text) override;
    void ShowAbout(QWidget* parent) override;
    void ShowPrintPreview(QWidget* parent, const std::function<void(QPrinter&)>& paint) override;
};

}  // namespace nexmar
