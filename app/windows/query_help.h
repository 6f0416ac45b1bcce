#pragma once

class QWidget;

namespace nexmar {

// The query language's page (docs/query.md, built into the program) in a
// window of its own beside owner; shown again, not opened twice, when it
// is open already. Escape and Ctrl+W close it.
QWidget* ShowQueryHelp(QWidget& owner);

}  // namespace nexmar
