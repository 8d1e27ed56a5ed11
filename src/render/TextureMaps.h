#pragma once
// Texture maps: square BMP pictures of paper and paint that region painting
// copies through a region's shape.
//
// One texture folder holds two sub-folders, "Monocrome" (grey textures) and
// "Color" (tinted textures).  A texture's side length is part of its file
// name: the whole number after the last "_" of the name without extension
// (Paper_227.bmp is 227 pixels square).  The render manager lists each
// sub-folder once, when it is constructed, sorted by size (RenderMan.h).
//
// List codes: 0 and 2 select the monochrome list, 1 the colour list; no
// other code names a list.

#include <cstdint>
#include <string>

struct TextureMapSpec {
  std::string fileName;  // name with extension, without the folder
  int16_t size = 0;      // side length in pixels, taken from the name
};

// The sub-folder names inside a texture folder.
extern const char* const kMonochromeTextureFolder;  // "Monocrome"
extern const char* const kColorTextureFolder;       // "Color"

// The sub-folder name for a list code; null for a code that names no list.
const char* TextureMap_SubFolder(int16_t code);

// The size a texture file name carries, or 0 when it carries none: the name
// without its extension must have a "_" followed by nothing but decimal
// digits, and the number must lie in 1..32767 (a side that fits the 16-bit
// size).
int16_t TextureMap_Size_From_Name(const std::string& fileName);

// Where the program looks for its texture folder when nobody names one: the
// environment variable QUORLIN_TEXTURES when it is set and not empty,
// otherwise the folder "textures" next to the running executable (the build
// generates it there).  Empty when neither can be determined.  Owners of a
// RenderMan (the desktop program, the command line, tests) call this and
// hand the result to the render manager.
std::string Default_Texture_Folder();
