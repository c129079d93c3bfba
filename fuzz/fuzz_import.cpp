// libFuzzer target: any bytes as a spreadsheet file for `bank import`.
#include "ImportProbe.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

static QTemporaryDir* work = nullptr;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    work = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString broken =
        probeImport(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
                    work->path());
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "%s\n", broken.toUtf8().constData());
        std::abort();
    }
    return 0;
}
