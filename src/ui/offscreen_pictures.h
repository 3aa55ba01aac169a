#pragma once

#include <memory>

#include "base/picture_writer.h"

namespace vorex::ui {

// Pictures drawn by the desktop drawing layer on an offscreen device, for a program that has no
// window: it starts the toolkit on its offscreen platform the first time a picture is written
// when nothing has started it yet.
std::unique_ptr<PictureWriter> MakeOffscreenPictureWriter();

}  // namespace vorex::ui
