#include "app/files/document_stamp.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace nexmar {

namespace {

// Empty when the file cannot be read.
QByteArray DigestOf(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        return {};
    }
    return hash.result();
}

}  // namespace

DocumentStamp DocumentStamp::Of(const QString& path)
{
    const QFileInfo file(path);
    DocumentStamp stamp;
    if (!file.exists()) {
        return stamp;
    }
    stamp.taken_ = true;
    stamp.size_ = file.size();
    stamp.digest_ = DigestOf(path);
    return stamp;
}

bool DocumentStamp::ChangedOnDisk(const QString& path) const
{
    const QFileInfo file(path);
    if (!taken_ || !file.exists()) {
        return false;
    }
    // Another window may write the same number of bytes within the same
    // tick of the file system's clock: only the bytes themselves tell.
    return file.size() != size_ || DigestOf(path) != digest_;
}

}  // namespace nexmar
