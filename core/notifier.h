#pragma once

#include <string>

namespace nexmar {

// How the engine tells the user of a failure: a message box in the dialog,
// a line on standard error in the command-line tool.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void Notify(const std::string& message) = 0;
};

}  // namespace nexmar
