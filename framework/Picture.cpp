#include "Picture.h"

#include <QFile>

#include "FolderItem.h"
#include "internal/PicturePeer.h"

Picture::Picture(std::unique_ptr<PicturePeer> peer) : peer_(std::move(peer)) {}

Picture::~Picture() = default;

int32_t Picture::Width() const { return peer_->image.width(); }
int32_t Picture::Height() const { return peer_->image.height(); }

Ref<Picture> FolderItem::OpenAsPicture() const {
  auto peer = std::make_unique<PicturePeer>();
  if (!peer->image.load(QFile::decodeName(path_.c_str()))) return nullptr;
  return New<Picture>(std::move(peer));
}
