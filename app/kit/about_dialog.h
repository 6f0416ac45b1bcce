#pragma once

#include <QDialog>

namespace nexmar {

// The About box: the application icon, the version and an OK button.
class AboutDialog final : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace nexmar
