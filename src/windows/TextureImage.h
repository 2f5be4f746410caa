#pragma once

// Decoded mip maps on screen: the conversion to Qt's image type and a small
// widget that shows one image scaled to fit, over a checkerboard so that
// transparent parts can be told from black ones, or a line of text when
// there is nothing to show.

#include <QImage>
#include <QString>
#include <QWidget>

namespace packages {
class TUTBitmap;
class TUTObject;
}  // namespace packages

namespace windows {

// 8-bit pixels through the bitmap's palette (grey levels without one),
// 24-bit and 32-bit pixels as blue, green, red (and alpha) bytes. In a
// masked texture palette entry 0 is see-through, as the game draws it.
QImage BitmapToImage(const packages::TUTBitmap& bitmap, bool masked = false);

// The first mip map of a read texture that came with pixel data: the main
// set first, then the compressed one. Null for an object that is not a
// texture, was not read, or whose mips were stripped or are drawn at run
// time.
const packages::TUTBitmap* FirstMipWithPixels(const packages::TUTObject& object);

class TTextureImage : public QWidget {
  Q_OBJECT

 public:
  explicit TTextureImage(QWidget* parent = nullptr);

  void SetImage(const QImage& image);
  // Shows the text in place of an image.
  void SetMessage(const QString& text);
  void Clear();

  const QImage& Image() const { return FImage; }
  const QString& Message() const { return FMessage; }
  // Where the image is drawn: the largest rectangle of its aspect that
  // fits the widget, centred.
  QRect ImageRect() const;

  QSize sizeHint() const override { return {160, 160}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage FImage;
  QString FMessage;
};

}  // namespace windows
