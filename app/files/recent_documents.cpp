#include "app/files/recent_documents.h"

#include <QFileInfo>

#include "app/kit/user_settings.h"

namespace nexmar {

namespace {

constexpr const char* kRecentKey = "recentDocuments";

void Keep(const QStringList& paths)
{
    UserSettings().setValue(QString::fromLatin1(kRecentKey), paths);
}

}  // namespace

QStringList RecentDocuments()
{
    return UserSettings().value(QString::fromLatin1(kRecentKey)).toStringList();
}

void RememberRecentDocument(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList paths = RecentDocuments();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    Keep(paths.mid(0, kMaxRecentDocuments));
}

void ForgetRecentDocument(const QString& path)
{
    QStringList paths = RecentDocuments();
    paths.removeAll(QFileInfo(path).absoluteFilePath());
    Keep(paths);
}

void ClearRecentDocuments()
{
    Keep({});
}

}  // namespace nexmar
