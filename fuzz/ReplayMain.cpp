// Runs a fuzz target over every file of the folders named on the command line, without the
// fuzzing engine, so its corpus and the inputs of past findings replay as an ordinary test.
// Fails when the first folder (the seed corpus) holds no file.
#include <cstdint>
#include <cstdio>
#include <QByteArray>
#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

int main(int argc, char** argv) {
    LLVMFuzzerInitialize(&argc, &argv);
    for (int i = 1; i < argc; ++i) {
        const QDir dir(QString::fromLocal8Bit(argv[i]));
        int count = 0;
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName()));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                   static_cast<size_t>(bytes.size()));
            ++count;
        }
        std::printf("%s: %d inputs\n", argv[i], count);
        if (i == 1 && count == 0) return 1;
    }
    return 0;
}
