#pragma once
// A picture file's bytes before the codec decodes them: read whole from a
// plain file (never from a pipe or a device, never beyond a size cap), the
// format named by its first bytes, and whether a JPEG, GIF or BMP file holds
// all the data its own structure announces.
//
// The decoders of those three formats make a picture of whatever part of a
// file is there (grey or black for the rest) and only warn about the rest;
// a cut-off photo would become a flat illustration without a word.  PNG and
// TIFF decoders refuse such files themselves, so their data passes here.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The largest picture file read, in bytes.  1 GiB holds a picture of the
// largest size decoded (100 megapixels) uncompressed even at 64 bits a pixel.
constexpr int64_t kMaxPictureFileBytes = int64_t{1} << 30;

// Reads a whole picture file.  Refuses anything but a plain file without
// opening it, so a named pipe cannot hold the program up and a device is not
// touched.  Returns 0, or a PlatformImage::Load status with `reason` set:
// kImageLoadTooLarge for a file above kMaxPictureFileBytes, -1 otherwise
// (the system's description, "Is a directory" for a folder, "not a plain
// file" for pipes, devices and sockets).
int32_t Read_Picture_File(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason);

enum class PictureKind { Unknown, Bmp, Gif, Jpeg, Png, Tiff };

// The format the first bytes name, as the decoders recognise them: "BM",
// "GIF87a"/"GIF89a", FF D8, the eight-byte PNG signature, "II*\0"/"MM\0*".
PictureKind Picture_Kind(const uint8_t* data, size_t size);

// False with `reason` set when a JPEG, GIF or BMP picture's data ends before
// what it announces:
//  * JPEG: the markers from the start-of-image marker to the end-of-image
//    marker, each segment by its length, the entropy-coded data of a scan up
//    to the next marker that is neither a restart marker nor a stuffed byte.
//    Bytes between segments and fill bytes are skipped as the decoder skips
//    them; whatever follows the end-of-image marker is not looked at.
//  * GIF: the header, screen descriptor and colour tables, then extensions
//    and images with their sub-blocks up to the first image's terminator.
//  * BMP: uncompressed and bit-field rows to the end of the last row's pixels
//    (the padding of the last row may be missing), run-length data to the
//    size the header gives.
// Structures these checks do not know (other BMP codings, unknown GIF
// blocks) and every other format pass: the decoder judges them.
bool Check_Picture_Complete(const uint8_t* data, size_t size, std::string& reason);
