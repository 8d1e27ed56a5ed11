#pragma once
// The picture codec on Qt's image readers and writers.  BMP, PNG, JPEG and
// GIF decode through Qt's own plugins and TIFF through the image-formats
// plugins; GIF is encoded with giflib because Qt has no GIF writer.

#include "platform/PlatformServices.h"

class QtPictureCodec : public PictureCodec {
 public:
  std::unique_ptr<PlatformImage> Create_Image() override;
};

// Encodes 24-bit RGB rows (top row first, 3 bytes a pixel, no padding) as a
// GIF with a 256-colour palette chosen by median cut.  False when giflib
// reports an error; `reason` then says which.
bool Encode_Gif(const unsigned char* rgb, int width, int height, std::string& bytes, std::string& reason);
