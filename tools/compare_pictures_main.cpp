// Compares two folders of PNG pictures pixel by pixel; fails on any missing, extra or
// differing picture. Used to prove the committed artwork is what the generator draws.
#include <QDir>
#include <QImage>
#include <QStringList>

#include <cstdio>

namespace {

QStringList PicturesIn(const QDir& folder) {
    return folder.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
}

// Returns true when both pictures have the same size and the same colour at every pixel,
// however each file happens to be encoded.
bool SamePixels(const QString& name, const QImage& expected, const QImage& actual) {
    if (expected.size() != actual.size()) {
        std::fprintf(stderr, "%s: size %dx%d, generator draws %dx%d\n", qPrintable(name),
                     expected.width(), expected.height(), actual.width(), actual.height());
        return false;
    }
    const QImage left = expected.convertToFormat(QImage::Format_RGB32);
    const QImage right = actual.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            if ((left.pixel(x, y) & 0xFFFFFF) != (right.pixel(x, y) & 0xFFFFFF)) {
                std::fprintf(stderr, "%s: pixel %d,%d is %06X, generator draws %06X\n",
                             qPrintable(name), x, y, left.pixel(x, y) & 0xFFFFFF,
                             right.pixel(x, y) & 0xFFFFFF);
                return false;
            }
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: compare-pictures <committed folder> <generated folder>\n");
        return 2;
    }
    const QDir committed(QString::fromLocal8Bit(argv[1]));
    const QDir generated(QString::fromLocal8Bit(argv[2]));
    const QStringList committedNames = PicturesIn(committed);
    const QStringList generatedNames = PicturesIn(generated);
    bool same = true;
    for (const QString& name : generatedNames) {
        if (!committedNames.contains(name)) {
            std::fprintf(stderr, "%s: drawn by the generator but not committed\n",
                         qPrintable(name));
            same = false;
        }
    }
    for (const QString& name : committedNames) {
        if (!generatedNames.contains(name)) {
            std::fprintf(stderr, "%s: committed but not drawn by the generator\n",
                         qPrintable(name));
            same = false;
            continue;
        }
        const QImage expected(committed.filePath(name));
        const QImage actual(generated.filePath(name));
        if (expected.isNull() || actual.isNull()) {
            std::fprintf(stderr, "%s: cannot be read\n", qPrintable(name));
            same = false;
            continue;
        }
        same = SamePixels(name, expected, actual) && same;
    }
    std::printf("%lld pictures compared\n", static_cast<long long>(committedNames.size()));
    return same ? 0 : 1;
}
