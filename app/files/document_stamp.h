#pragma once

#include <QByteArray>
#include <QString>

namespace nexmar {

// A document on disk as this window last read or wrote it, to tell whether
// someone else (another window on the same document, another program) has
// written it since, before Save writes over their work.
class DocumentStamp {
public:
    // Nothing stamped: no file is held to have changed.
    DocumentStamp() = default;
    // The file at path as it is now.
    static DocumentStamp Of(const QString& path);

    // Whether the file at path now holds other bytes than when stamped (its
    // size, then its SHA-256). A file only touched has not changed, nor
    // one deleted: saving brings it back.
    bool ChangedOnDisk(const QString& path) const;

private:
    bool taken_ = false;
    qint64 size_ = 0;
    QByteArray digest_;
};

}  // namespace nexmar
