#include "windows/TextureImage.h"

#include <QPainter>

#include "packages/PuUtBitmap.h"
#include "packages/PuUtTexture.h"

namespace windows {

QImage BitmapToImage(const packages::TUTBitmap& bitmap, bool masked) {
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_ARGB32);
  const packages::TUTPalette* palette = bitmap.Palette();
  for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* in = bitmap.ScanLine(y);
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (std::int32_t x = 0; x < bitmap.Width(); ++x) {
      switch (bitmap.BitsPerPixel()) {
        case 8: {
          const std::uint8_t index = in[x];
          if (masked && index == 0) {
            out[x] = qRgba(0, 0, 0, 0);
          } else if (palette) {
            const packages::TUTPaletteEntry& e = palette->Entries[index];
            out[x] = qRgb(e.Red, e.Green, e.Blue);
          } else {
            out[x] = qRgb(index, index, index);
          }
          break;
        }
        case 24: out[x] = qRgb(in[3 * x + 2], in[3 * x + 1], in[3 * x]); break;
        default: out[x] = qRgba(in[4 * x + 2], in[4 * x + 1], in[4 * x], in[4 * x + 3]); break;
      }
    }
  }
  return image;
}

const packages::TUTBitmap* FirstMipWithPixels(const packages::TUTObject& object) {
  const auto* texture = dynamic_cast<const packages::TUTObjectClassTexture*>(&object);
  if (!texture || !object.DataRead()) return nullptr;
  for (const auto* mips : {&texture->Mips(), &texture->CompMips()})
    for (const packages::TUTBitmap& mip : *mips)
      if (mip.RawSize() > 0) return &mip;
  return nullptr;
}

TTextureImage::TTextureImage(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TTextureImage::SetImage(const QImage& image) {
  FImage = image;
  FMessage.clear();
  update();
}

void TTextureImage::SetMessage(const QString& text) {
  FImage = QImage();
  FMessage = text;
  update();
}

void TTextureImage::Clear() {
  FImage = QImage();
  FMessage.clear();
  update();
}

QRect TTextureImage::ImageRect() const {
  if (FImage.isNull()) return {};
  // A long thin texture keeps at least one pixel across, or it would
  // vanish.
  const QSize size = FImage.size().scaled(rect().size(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
  QRect r(QPoint(0, 0), size);
  r.moveCenter(rect().center());
  return r;
}

void TTextureImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!FMessage.isEmpty()) {
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, FMessage);
    return;
  }
  if (FImage.isNull()) return;
  const QRect target = ImageRect();
  const int cell = 8;
  painter.save();
  painter.setClipRect(target);
  for (int y = target.top(); y <= target.bottom(); y += cell)
    for (int x = target.left(); x <= target.right(); x += cell) {
      const bool dark = ((x - target.left()) / cell + (y - target.top()) / cell) % 2 != 0;
      painter.fillRect(x, y, cell, cell, dark ? QColor(153, 153, 153) : QColor(102, 102, 102));
    }
  painter.restore();
  // Enlarged texels stay sharp squares; reduced images are smoothed.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, target.width() < FImage.width());
  painter.drawImage(target, FImage);
}

}  // namespace windows
