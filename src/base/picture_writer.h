#pragma once

#include <optional>
#include <string>

#include "base/drawing_list.h"

namespace vorex {

// Writes the plot window's picture to a file as the desktop drawing layer renders it, so that a
// program without a window can still give the clipboard's bitmap and the printer's pages.
class PictureWriter {
 public:
  virtual ~PictureWriter() = default;

  // A PNG bitmap of width × height pixels [pixels]; the reason when it could not be written.
  virtual std::optional<std::string> WriteImage(const DrawingList& picture, int width, int height,
                                                const std::string& file) = 0;
  // A PDF page as the printer would get it, the picture keeping the window's proportions.
  virtual std::optional<std::string> WriteDocument(const DrawingList& picture, int width,
                                                   int height, const std::string& file) = 0;
};

}  // namespace vorex
