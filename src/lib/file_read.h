#pragma once
// Reading a file the user named, with one limit and one set of messages for every reader of
// outside data: a name that is not there, a folder, a device or a file past the limit is refused
// with the real cause before anything is read into memory.

#include <QByteArray>
#include <QString>

#include <optional>

namespace ses {

// The largest file any import reads, bytes.
inline constexpr qint64 kMaxReadBytes = 64ll * 1024 * 1024;

// Why path cannot be read as a data file ("Файл \"...\" не найден.", "... - каталог, а не
// файл.", "... - устройство, а не файл с данными.", "... слишком велик ..."); empty when it can.
// A pipe is admitted: its size is known only by reading it (see readFileBytes).
QString fileRefusal(const QString& path, qint64 limit = kMaxReadBytes);

// The message for a file found larger than limit while it was read.
QString tooLargeRefusal(const QString& path, qint64 limit = kMaxReadBytes);

struct FileBytes {
    std::optional<QByteArray> bytes;
    QString error; // set when bytes are not
};
// The whole file, refused as fileRefusal says or when reading passes the limit (a pipe).
FileBytes readFileBytes(const QString& path, qint64 limit = kMaxReadBytes);

} // namespace ses
