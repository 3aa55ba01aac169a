#pragma once

#include <memory>

#include "base/picture_encoder.h"

namespace vorex::ui {

// Pictures drawn by the desktop drawing layer on an offscreen device, for a program that has no
// window: it starts the toolkit on its offscreen platform the first time a picture is encoded
// when nothing has started it yet.
std::unique_ptr<PictureEncoder> MakeOffscreenPictureEncoder();

}  // namespace vorex::ui
