#pragma once
// A bitmap picture, as read from a file (FolderItem::OpenAsPicture).

#include <cstdint>
#include <memory>

struct PicturePeer;

class Picture {
public:
  // Pictures are made by the framework.
  explicit Picture(std::unique_ptr<PicturePeer> peer);
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  // In pixels.
  int32_t Width() const;
  int32_t Height() const;

  // The toolkit's side of the picture; for the framework only.
  const PicturePeer& Peer() const { return *peer_; }

private:
  std::unique_ptr<PicturePeer> peer_;
};
