#pragma once
// The toolkit's side of a picture. Framework-internal.

#include <QImage>

struct PicturePeer {
  QImage image;
};
