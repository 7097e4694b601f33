#include "TextOutputStream.h"

#include <QFile>
#include <QSaveFile>

namespace {
// Lines are gathered and handed to the file in blocks of about this size.
constexpr size_t kBlockBytes = 64 * 1024;
}  // namespace

struct TextOutputStream::Impl {
  explicit Impl(const QString& path) : file(path) {}
  QSaveFile file;
};

Ref<TextOutputStream> TextOutputStream::Create(const FolderItem& file) {
  auto impl = std::make_unique<Impl>(QFile::decodeName(QByteArray::fromStdString(file.NativePath())));
  if (!impl->file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return nullptr;
  return New<TextOutputStream>(std::move(impl));
}

TextOutputStream::TextOutputStream(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

// QSaveFile throws away an uncommitted temporary file when it goes.
TextOutputStream::~TextOutputStream() = default;

void TextOutputStream::WriteLine(const std::string& text) {
  if (closed_) return;
  buffer_ += text;
  buffer_ += '\n';
  if (buffer_.size() >= kBlockBytes) Flush();
}

void TextOutputStream::Flush() {
  if (!failed_ && !buffer_.empty()) {
    const auto size = static_cast<qint64>(buffer_.size());
    if (impl_->file.write(buffer_.data(), size) != size) failed_ = true;
  }
  buffer_.clear();
}

bool TextOutputStream::Close() {
  if (closed_) return !failed_;
  closed_ = true;
  Flush();
  if (failed_) {
    impl_->file.cancelWriting();
    impl_->file.commit();  // after cancelWriting this only removes the temporary file
    return false;
  }
  failed_ = !impl_->file.commit();
  return !failed_;
}
