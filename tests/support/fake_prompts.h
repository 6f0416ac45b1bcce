#pragma once

#include <QStringList>

#include "app/user_prompts.h"

namespace nexmar::testing {

// Answers in advance for every window that would wait for the user, and
// records what was asked.
class FakePrompts final : public UserPrompts {
public:
    void ShowMessage(QWidget*, const QString& text) override { messages << text; }
    QString AskSaveFileName(QWidget*, const QString& filter, const QString& defaultSuffix) override
    {
        saveDialogs << filter + QLatin1Char('|') + defaultSuffix;
        return nextFileName;
    }
    void ShowAbout(QWidget*) override { ++aboutShown; }

    QStringList messages;
    QStringList saveDialogs;  // "filter|suffix" of every save dialog shown
    QString nextFileName;     // empty: the user cancels
    int aboutShown = 0;
};

}  // namespace nexmar::testing
