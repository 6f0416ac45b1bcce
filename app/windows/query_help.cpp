#include "app/windows/query_help.h"

#include <QDialog>
#include <QFile>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/kit/screen_room.h"

namespace nexmar {

namespace {

constexpr const char* kHelpName = "queryHelp";

QString QueryPage()
{
    QFile page(QStringLiteral(":/docs/query.md"));
    return page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
}

}  // namespace

QWidget* ShowQueryHelp(QWidget& owner)
{
    auto* window = owner.findChild<QWidget*>(QString::fromLatin1(kHelpName), Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
        // A dialog, which closes on Escape whichever of its widgets has the focus.
        window = new QDialog(&owner, Qt::Window);
        window->setObjectName(QString::fromLatin1(kHelpName));
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(QStringLiteral("Query Language - Tolvik Nexmar"));
        auto* page = new QTextBrowser(window);
        page->setObjectName(QStringLiteral("queryPage"));
        page->setOpenExternalLinks(true);
        page->setMarkdown(QueryPage());
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(page);
        auto* close = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_W), window);
        QObject::connect(close, &QShortcut::activated, window, &QWidget::close);
        window->resize(760, 640);
        KeepOnScreenWhenShown(*window);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace nexmar
