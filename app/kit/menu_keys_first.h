#pragma once

#include <QObject>

class QWidget;

namespace nexmar {

// Lets the window's menu shortcuts through the text fields it watches, which
// would otherwise take some of them as their own keys (a line edit takes
// Ctrl+E as "end of line" on X11, so Export JSON did nothing from the number
// field). A field keeps only the keys that edit its own text: copy, cut,
// paste, select all, undo and redo.
class MenuKeysFirst final : public QObject {
public:
    // window: whose enabled actions' shortcuts come first.
    explicit MenuKeysFirst(QWidget& window);
    // Watches every line edit and plain text field inside the window.
    void WatchFields();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
};

}  // namespace nexmar
