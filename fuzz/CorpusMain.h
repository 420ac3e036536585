#pragma once

#include <cstdio>
#include <functional>
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/Messages.h"

/// Writes one seed file; false when it cannot be written whole.
inline bool WriteCorpusFile(const QDir& Dir, const QString& Name, const QByteArray& Bytes) {
    QFile file(Dir.filePath(Name));
    return file.open(QIODevice::WriteOnly) && file.write(Bytes) == Bytes.size();
}

/// Copies each named file into Dir under its own name; false when one cannot be copied whole.
inline bool CopyCorpusFiles(const QDir& Dir, int Count, char** Files) {
    bool ok = true;
    for (int i = 0; i < Count; ++i) {
        QFile in(QString::fromLocal8Bit(Files[i]));
        ok &= in.open(QIODevice::ReadOnly) && WriteCorpusFile(Dir, QFileInfo(in).fileName(), in.readAll());
    }
    return ok;
}

/// The main of a corpus maker: the folder is the first argument (made when missing), Extra names the
/// further arguments it takes ("" for none). Write runs with an application on the offscreen
/// platform and messages captured; the exit code is 0 when it wrote every file, 1 when not, 2 for a
/// wrong command line.
inline int RunCorpusMaker(int argc, char** argv, const char* Extra,
                          const std::function<bool(const QDir&, int, char**)>& Write) {
    if (argc < 2 || (argc > 2 && !*Extra)) {
        std::fprintf(stderr, "usage: %s <corpus folder> %s\n", argv[0], Extra);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const TMessageCapture quiet;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) return 1;
    return Write(dir, argc - 2, argv + 2) ? 0 : 1;
}
