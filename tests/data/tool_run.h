#pragma once
// The data tool run as a user runs it, and small file helpers for the tests that do so.

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace ses::test {

struct ToolResult {
    int code = -1;
    QString out, err;
};

// A program (the data tool unless named), optionally with a limit on the size of the files it
// writes (KiB): the way a full disk is made without a mount.
inline ToolResult tool(const QStringList& args, int fileLimitKiB = 0,
                       const QString& program = QStringLiteral(DATA_TOOL)) {
    QProcess p;
    // The program itself needs a display; the offscreen one serves where there is none.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    if (fileLimitKiB > 0) {
        QStringList quoted;
        for (const QString& a : args)
            quoted << QLatin1Char('\'') + a + QLatin1Char('\'');
        p.start(QStringLiteral("bash"),
                {QStringLiteral("-c"), QStringLiteral("ulimit -f %1; exec '%2' %3")
                                           .arg(fileLimitKiB)
                                           .arg(program, quoted.join(' '))});
    } else {
        p.start(program, args);
    }
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

inline void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace ses::test
