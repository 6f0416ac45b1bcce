#include "app/kit/about_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "app/kit/artwork.h"
#include "app/kit/dialog_units.h"

namespace nexmar {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Tovlik Nexmar"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    const DialogUnits units(font());

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    icon->setGeometry(units.X(11), units.Y(17), 32, 32);

    auto* version = new QLabel(QStringLiteral("Nexmar Version 1.0"), this);
    version->setObjectName(QStringLiteral("aboutVersion"));
    version->setGeometry(units.Rect(40, 10, 119, 8));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setGeometry(units.Rect(178, 7, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(units.Size(235, 55));
}

}  // namespace nexmar
