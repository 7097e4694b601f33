#pragma once
// Reads a text file line by line. A line ends at LF, CR LF or a lone CR
// (older files were written with CR); the line's bytes come back unchanged,
// whatever their encoding.

#include <string>

#include "FolderItem.h"
#include "Ref.h"

class TextInputStream {
public:
  // Opens an existing file for reading. Nil when it cannot be opened: it is
  // absent, not readable, or not a regular file (a folder, a device, a FIFO).
  static Ref<TextInputStream> Open(const FolderItem& file);
  explicit TextInputStream(int descriptor) : descriptor_(descriptor) {}
  ~TextInputStream();
  TextInputStream(const TextInputStream&) = delete;
  TextInputStream& operator=(const TextInputStream&) = delete;

  // The next line without its line end; the empty string when none is left.
  std::string ReadLine();
  // True when no line is left. A line end at the very end of the file does
  // not start another, empty line.
  bool EndOfFile();
  // True when reading failed after the file was opened: the lines read so far
  // are not all of the file.
  bool ReadFailed() const { return readFailed_; }
  void Close();

private:
  // Reads the next block into the buffer; false at the end or on failure.
  bool Fill();

  int descriptor_;
  std::string buffer_;
  size_t position_ = 0;
  bool readFailed_ = false;
};
