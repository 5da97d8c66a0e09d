// Writes every picture of the trainer as a lossless PNG into the folder named on the command
// line.
#include <QDir>
#include <QString>

#include <cstdio>

#include "pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-artwork <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.absolutePath())) {
        std::fprintf(stderr, "draw-artwork: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const auto& [fileName, image] : artwork::DrawAllPictures()) {
        const QString path = folder.filePath(fileName);
        if (!image.save(path, "PNG")) {
            std::fprintf(stderr, "draw-artwork: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
