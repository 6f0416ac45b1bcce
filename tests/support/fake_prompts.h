#pragma once

#include <QStringList>

#include "app/user_prompts.h"

namespace nexmar::testing {

// Answers in advance for every window that would wait for the user, and
// records what was asked.
class FakePrompts final : public UserPrompts {
public:
    void ShowMessage(QWidget*, const QString& text) override { messages << text; }
    QString AskSaveFileName(QWidget*, const QString& filter, const QString& defaultSuffix,
                            const QString& directory) override
    {
        saveDialogs << filter + QLatin1Char('|') + defaultSuffix;
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
    void ShowAbout(QWidget*) override { ++aboutShown; }

    QStringList messages;
    QStringList saveDialogs;  // "filter|suffix" of every save dialog shown
    QStringList saveDirectories;  // where each save dialog opened
    QString nextFileName;     // empty: the user cancels
    QStringList openDialogs;      // the filter of every open dialog shown
    QStringList openDirectories;  // where each open dialog opened
    QString nextOpenName;         // empty: the user cancels
    QStringList seedAnswers;
    QStringList seedInputs;  // the text each seed input opened with
    int aboutShown = 0;
};

}  // namespace nexmar::testing
