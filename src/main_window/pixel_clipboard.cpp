#include "pixel_clipboard.h"

#include "png/pixel_clip.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <memory>

namespace vellicor {
namespace {

const QString kPngType = QStringLiteral("image/png");

} // namespace

void PutPixelsOnClipboard(const PixelBlock& block) {
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kPixelClipType), PixelClipBytes(block));
    data->setData(kPngType, PixelClipPng(block));
    QGuiApplication::clipboard()->setMimeData(data.release()); // the clipboard owns it now
}

ClipboardPicture PixelsFromClipboard() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr)
        return {std::nullopt, QObject::tr("The clipboard holds no picture.")};
    // Damaged data of our own type falls back to the image beside it.
    if (auto block = PixelsFromClip(data->data(QString::fromLatin1(kPixelClipType))))
        return {std::move(block), QString()};
    QByteArray png = data->data(kPngType);
    if (png.isEmpty() && data->hasImage()) {
        // Another format of image, made PNG so that one set of rules converts every image.
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        qvariant_cast<QImage>(data->imageData()).save(&buffer, "PNG");
    }
    if (png.isEmpty())
        return {std::nullopt, QObject::tr("The clipboard holds no picture.")};
    ClipImage image = PixelsFromPng(png);
    if (!image.block)
        return {
            std::nullopt,
            QObject::tr("The picture on the clipboard could not be pasted.\n%1").arg(image.error)};
    return {std::move(image.block), QString()};
}

} // namespace vellicor
