#include "lib/file_read.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <sys/stat.h>

namespace ses {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

QString tooLargeRefusal(const QString& path, qint64 limit) {
    return QStringLiteral("Файл \"%1\" слишком велик: наибольший размер читаемого файла - %2 МБ. "
                          "Разделите его на части.")
        .arg(shown(path))
        .arg(limit / (1024 * 1024));
}

QString fileRefusal(const QString& path, qint64 limit) {
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    if (path.isEmpty() || ::stat(native.constData(), &st) != 0)
        return QStringLiteral("Файл \"%1\" не найден.").arg(shown(path));
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("\"%1\" - каталог, а не файл.").arg(shown(path));
    if (!S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode))
        return QStringLiteral("\"%1\" - устройство, а не файл с данными.").arg(shown(path));
    if (!QFileInfo(path).isReadable())
        return QStringLiteral("Файл \"%1\" не читается: нет прав на чтение.").arg(shown(path));
    if (S_ISREG(st.st_mode) && st.st_size > limit)
        return tooLargeRefusal(path, limit);
    return QString();
}

FileBytes readFileBytes(const QString& path, qint64 limit) {
    FileBytes r;
    r.error = fileRefusal(path, limit);
    if (!r.error.isEmpty())
        return r;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error =
            QStringLiteral("Файл \"%1\" не открывается: %2.").arg(shown(path), f.errorString());
        return r;
    }
    // In pieces, at most one byte past the limit: enough to tell a file that is too large,
    // also a pipe whose size is not known beforehand.
    QByteArray bytes;
    constexpr qint64 kPiece = 1 << 20;
    for (;;) {
        const qint64 want = std::min(kPiece, limit + 1 - qint64(bytes.size()));
        const QByteArray piece = f.read(want);
        if (f.error() != QFile::NoError) {
            r.error =
                QStringLiteral("Файл \"%1\" не прочитан: %2.").arg(shown(path), f.errorString());
            return r;
        }
        if (piece.isEmpty())
            break;
        bytes += piece;
        if (bytes.size() > limit) {
            r.error = tooLargeRefusal(path, limit);
            return r;
        }
    }
    r.bytes = std::move(bytes);
    r.error.clear();
    return r;
}

} // namespace ses
