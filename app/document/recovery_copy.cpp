#include "app/document/recovery_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>

#include <utility>

#include "app/files/save_whole.h"

namespace nexmar {

namespace {

// Beside each copy (NAME.json): the path of its document (NAME.document)
// and the lock its dialog holds while it lives (NAME.lock).
constexpr const char* kCopySuffix = ".json";
constexpr const char* kDocumentSuffix = ".document";
constexpr const char* kLockSuffix = ".lock";

std::unique_ptr<QLockFile> LockOf(const QDir& folder, const QString& name)
{
    auto lock = std::make_unique<QLockFile>(folder.filePath(name + QLatin1String(kLockSuffix)));
    // Only a lock whose process is gone is stale, however long ago it was taken.
    lock->setStaleLockTime(0);
    return lock;
}

// Removes the files of the copy called name, the lock's aside.
void RemoveCopyFiles(const QDir& folder, const QString& name)
{
    QFile::remove(folder.filePath(name + QLatin1String(kCopySuffix)));
    QFile::remove(folder.filePath(name + QLatin1String(kDocumentSuffix)));
    // A write cut short by a crash leaves its unfinished file beside the copy.
    for (const QString& unfinished : folder.entryList({name + QLatin1String(kCopySuffix) + QLatin1String(".*")},
                                                      QDir::Files | QDir::Hidden)) {
        QFile::remove(folder.filePath(unfinished));
    }
}

// The locks of dialogs that ended with no copy left; taking one removes it.
void RemoveLoneLocks(const QDir& folder)
{
    const QStringList locks{QStringLiteral("*") + QLatin1String(kLockSuffix)};
    for (const QFileInfo& lock : folder.entryInfoList(locks, QDir::Files)) {
        const QString name = lock.completeBaseName();
        if (!QFile::exists(folder.filePath(name + QLatin1String(kCopySuffix)))) {
            LockOf(folder, name)->tryLock(0);
        }
    }
}

}  // namespace

RecoveryCopy::RecoveryCopy(QString folder)
    : folder_(std::move(folder)), name_(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

RecoveryCopy::~RecoveryCopy()
{
    Finish();
}

QString RecoveryCopy::UserFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

void RecoveryCopy::Write(const QString& documentPath, Writer write)
{
    Halt();
    const QDir folder(folder_);
    if (lock_ == nullptr) {
        // Without its lock held, a copy would look left behind to another dialog.
        std::unique_ptr<QLockFile> lock = LockOf(folder, name_);
        if (!QDir().mkpath(folder_) || !lock->tryLock(0)) {
            return;
        }
        lock_ = std::move(lock);
    }
    SaveWhole(folder.filePath(name_ + QLatin1String(kDocumentSuffix)),
              [&documentPath](QSaveFile& file) { return file.write(documentPath.toUtf8()) >= 0; });
    cancel_ = false;
    writer_ = std::thread([this, write = std::move(write), path = folder.filePath(name_ + QLatin1String(kCopySuffix))] {
        // A write stopped halfway is never committed: the earlier copy stays.
        SaveWhole(path, [&](QSaveFile& file) { return write(file, cancel_) && !cancel_.load(); });
    });
}

void RecoveryCopy::Halt()
{
    cancel_ = true;
    Finish();
}

void RecoveryCopy::Finish()
{
    if (writer_.joinable()) {
        writer_.join();
    }
}

void RecoveryCopy::Remove()
{
    Halt();
    if (lock_ != nullptr) {
        RemoveCopyFiles(QDir(folder_), name_);
    }
}

std::unique_ptr<LeftCopy> LeftCopy::Find(const QString& folder)
{
    const QDir dir(folder);
    RemoveLoneLocks(dir);
    // The latest first: a user who ran two sessions cut short wants the later back first.
    const QFileInfoList copies =
        dir.entryInfoList({QStringLiteral("*") + QLatin1String(kCopySuffix)}, QDir::Files, QDir::Time);
    for (const QFileInfo& copy : copies) {
        std::unique_ptr<QLockFile> lock = LockOf(dir, copy.completeBaseName());
        // A copy its dialog still holds, or removed while we looked, is not left.
        if (!lock->tryLock(0) || !QFile::exists(copy.filePath())) {
            continue;
        }
        std::unique_ptr<LeftCopy> left(new LeftCopy);
        left->path_ = copy.filePath();
        left->written_ = copy.lastModified();
        QFile document(dir.filePath(copy.completeBaseName() + QLatin1String(kDocumentSuffix)));
        if (document.open(QIODevice::ReadOnly)) {
            left->documentPath_ = QString::fromUtf8(document.readAll());
        }
        left->lock_ = std::move(lock);
        return left;
    }
    return nullptr;
}

LeftCopy::~LeftCopy() = default;

void LeftCopy::Remove()
{
    const QFileInfo copy(path_);
    RemoveCopyFiles(copy.dir(), copy.completeBaseName());
    lock_->unlock();
}

}  // namespace nexmar
