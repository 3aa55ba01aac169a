#pragma once

#include <optional>
#include <string>

#include "base/drawing_list.h"

namespace vorex {

// Encodes the plot window's picture as the desktop drawing layer renders it, so that a program
// without a window can still give the clipboard's bitmap and the printer's pages. The encoder
// only makes the bytes; whoever asked writes them, whole or not at all.
class PictureEncoder {
 public:
  virtual ~PictureEncoder() = default;

  // The bytes of a PNG bitmap of width × height pixels; nothing when it could not be encoded.
  virtual std::optional<std::string> Png(const DrawingList& picture, int width, int height) = 0;
  // The bytes of a one-page PDF as the printer would get it, the picture keeping the window's
  // proportions of width × height pixels.
  virtual std::optional<std::string> Pdf(const DrawingList& picture, int width, int height) = 0;
};

}  // namespace vorex
