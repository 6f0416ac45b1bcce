#pragma once

#include <QObject>
#include <QPrinter>
#include <QProgressDialog>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

#include "app/printing/run_printer.h"
#include "app/kit/user_prompts.h"

namespace nexmar::testing {

// Answers in advance for every window that would wait for the user, and
// records what was asked.
class FakePrompts final : public UserPrompts {
public:
    void ShowMessage(QWidget*, const QString& text) override { messages << text; }
    QString AskSaveFileName(QWidget*, const QString& filter, const QString& defaultSuffix,
                            const QString& directory, const QString& title) override
    {
        saveDialogs << filter + QLatin1Char('|') + defaultSuffix;
        saveTitles << title;
        saveDirectories << directory;
        return nextFileName;
    }
    QString AskOpenFileName(QWidget*, const QString& filter, const QString& directory) override
    {
        openDialogs << filter;
        openDirectories << directory;
        return nextOpenName;
    }
    // Answers with the next of seedAnswers; once they run out, cancels.
    std::optional<QString> AskSeed(QWidget*, const QString& text) override
    {
        seedInputs << text;
        if (seedAnswers.isEmpty()) {
            return std::nullopt;
        }
        return seedAnswers.takeFirst();
    }
    // Answers with the next of nameAnswers; once they run out, cancels.
    std::optional<QString> AskName(QWidget*, const QString& title, const QString&) override
    {
        nameTitles << title;
        if (nameAnswers.isEmpty()) {
            return std::nullopt;
        }
        return nameAnswers.takeFirst();
    }
    // Answers with the next of unsavedAnswers; once they run out, discards.
    UnsavedAnswer AskSaveChanges(QWidget*, const QString& document) override
    {
        unsavedAsked << document;
        return unsavedAnswers.isEmpty() ? UnsavedAnswer::Discard : unsavedAnswers.takeFirst();
    }
    // Answers with the next of restoreAnswers; once they run out, declines.
    bool AskRestore(QWidget*, const QString& text) override
    {
        restoreAsked << text;
        return !restoreAnswers.isEmpty() && restoreAnswers.takeFirst();
    }
    // Answers with the next of proceedAnswers; once they run out, goes on.
    bool AskProceed(QWidget*, const QString&, const QString& text) override
    {
        proceedAsked << text;
        return proceedAnswers.isEmpty() || proceedAnswers.takeFirst();
    }
    // Answers with the next of changedAnswers; once they run out, cancels.
    ChangedOnDiskAnswer AskChangedOnDisk(QWidget*, const QString& document) override
    {
        changedAsked << document;
        return changedAnswers.isEmpty() ? ChangedOnDiskAnswer::Cancel : changedAnswers.takeFirst();
    }
    // Answers with the next of hiddenAnswers; once they run out, cancels.
    std::optional<PlayerFields> AskHiddenFields(QWidget*, const QString& title, std::span<const PlayerField> offered,
                                                PlayerFields hidden) override
    {
        hiddenTitles << title;
        hiddenOffered.push_back(offered.size());
        hiddenShown.push_back(hidden);
        if (hiddenAnswers.empty()) {
            return std::nullopt;
        }
        const PlayerFields answer = hiddenAnswers.front();
        hiddenAnswers.erase(hiddenAnswers.begin());
        return answer;
    }
    // Answers with the next of notesAnswers; once they run out, cancels.
    std::optional<QString> AskNotes(QWidget*, const QString& title, const QString&) override
    {
        notesTitles << title;
        if (notesAnswers.isEmpty()) {
            return std::nullopt;
        }
        return notesAnswers.takeFirst();
    }
    void ShowAbout(QWidget*) override { ++aboutShown; }
    // Prints into the PDF file printTo, if set, as a user's Print would.
    void ShowPrintPreview(QWidget*, const std::function<void(QPrinter&)>& paint) override
    {
        ++printPreviews;
        if (!printTo.isEmpty()) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            UsePaper(printer);  // as the preview sets it up
            printer.setOutputFileName(printTo);
            paint(printer);
        }
    }
    // Cancels the work at once when cancelNextWork is set, as a user's
    // Cancel would.
    void WorkStarted(QProgressDialog& progress) override
    {
        ++worksStarted;
        if (duringWork) {
            duringWork(progress);
        }
        if (std::exchange(cancelNextWork, false)) {
            emit progress.canceled();
        }
    }

    QStringList messages;
    QStringList saveDialogs;  // "filter|suffix" of every save dialog shown
    QStringList saveTitles;   // the title of each
    QStringList saveDirectories;  // where each save dialog opened
    QString nextFileName;     // empty: the user cancels
    QStringList openDialogs;      // the filter of every open dialog shown
    QStringList openDirectories;  // where each open dialog opened
    QString nextOpenName;         // empty: the user cancels
    QStringList seedAnswers;
    QStringList seedInputs;  // the text each seed input opened with
    QStringList nameAnswers;
    QStringList nameTitles;  // the title of each name input
    QList<UnsavedAnswer> unsavedAnswers;
    QStringList unsavedAsked;  // the document named by each Save / Discard / Cancel
    QList<bool> restoreAnswers;
    QStringList restoreAsked;  // the text of each offer to restore a recovery copy
    QList<bool> proceedAnswers;
    QStringList proceedAsked;  // the text of each OK / Cancel before a command goes on
    QList<ChangedOnDiskAnswer> changedAnswers;
    QStringList changedAsked;  // the document named by each Reload / Overwrite / Save As / Cancel
    std::vector<PlayerFields> hiddenAnswers;
    QStringList hiddenTitles;            // the title of each hidden-fields dialog
    std::vector<std::size_t> hiddenOffered;  // how many fields each offered
    std::vector<PlayerFields> hiddenShown;   // the fields each showed ticked
    QStringList notesAnswers;
    QStringList notesTitles;  // the title of each notes input
    int aboutShown = 0;
    int printPreviews = 0;
    QString printTo;  // the PDF file a print preview prints into; empty: none
    int worksStarted = 0;
    bool cancelNextWork = false;
    std::function<void(QProgressDialog&)> duringWork;  // what the user does while work goes on
};

// The child of parent with that object name; a test that names a widget the
// dialog does not have stops at once.
template <class W>
W* FindWidget(const QObject& parent, const char* name)
{
    W* widget = parent.findChild<W*>(QString::fromLatin1(name));
    if (widget == nullptr) {
        qFatal("no widget %s", name);
    }
    return widget;
}

}  // namespace nexmar::testing
