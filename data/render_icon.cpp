// Build-time tool: renders the scalable application icon into the fixed sizes that desktops
// without SVG support, and every desktop at small sizes, look for.
//
//   render_icon ICON.svg SIZE OUT.png [SIZE OUT.png ...]
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <cstdio>

namespace {

int Fail(const char* what, const char* name) {
    std::fprintf(stderr, "render_icon: %s: %s\n", what, name);
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: render_icon ICON.svg SIZE OUT.png [SIZE OUT.png ...]\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid())
        return Fail("not a readable SVG picture", argv[1]);
    for (int i = 2; i < argc; i += 2) {
        bool isNumber = false;
        const int size = QByteArray(argv[i]).toInt(&isNumber);
        if (!isNumber || size < 1 || size > 1024)
            return Fail("not a size from 1 to 1024", argv[i]);
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        // Whole or not at all, so an interrupted build never leaves a cut-off icon that looks
        // up to date.
        QSaveFile file(QString::fromLocal8Bit(argv[i + 1]));
        if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
            return Fail("cannot write", argv[i + 1]);
    }
    return 0;
}
