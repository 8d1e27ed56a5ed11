#include "platform/PictureData.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/ByteOrder.h"
#include "platform/PlatformServices.h"
#include "platform/Text.h"

// ---------------------------------------------------------------------------
// Reading the file

namespace {

// The refusal of anything that is not a plain file.
int32_t Not_Plain_File(const struct stat& st, std::string& reason) {
  reason = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a plain file";
  return -1;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return m_fd; }

 private:
  int m_fd;
};

}  // namespace

int32_t Read_Picture_File(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason) {
  bytes.clear();
  reason.clear();
  // Looked at before it is opened: a device is never opened and a pipe
  // never waited on.  The open itself does not wait either, and what was
  // opened is looked at again (the name may have changed hands meanwhile).
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    reason = std::strerror(errno);
    return -1;
  }
  if (!S_ISREG(st.st_mode)) return Not_Plain_File(st, reason);
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.Get() < 0 || ::fstat(file.Get(), &st) != 0) {
    reason = std::strerror(errno);
    return -1;
  }
  if (!S_ISREG(st.st_mode)) return Not_Plain_File(st, reason);
  if (st.st_size > kMaxPictureFileBytes) {
    reason = Text_Format("the file is %lld bytes; picture files above 1 GiB are not loaded",
                         static_cast<long long>(st.st_size));
    return kImageLoadTooLarge;
  }
  bytes.resize(static_cast<size_t>(st.st_size));
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(file.Get(), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      reason = std::strerror(errno);
      bytes.clear();
      return -1;
    }
    if (n == 0) break;  // the file shrank since it was looked at
    done += static_cast<size_t>(n);
  }
  bytes.resize(done);
  return 0;
}

// ---------------------------------------------------------------------------
// The format

PictureKind Picture_Kind(const uint8_t* data, size_t size) {
  const auto starts = [data, size](const char* magic, size_t n) {
    return size >= n && std::memcmp(data, magic, n) == 0;
  };
  if (starts("\xFF\xD8", 2)) return PictureKind::Jpeg;
  if (starts("\x89PNG\r\n\x1A\n", 8)) return PictureKind::Png;
  if (starts("GIF87a", 6) || starts("GIF89a", 6)) return PictureKind::Gif;
  if (starts("BM", 2)) return PictureKind::Bmp;
  if (starts("II*\0", 4) || starts("MM\0*", 4)) return PictureKind::Tiff;
  return PictureKind::Unknown;
}

// ---------------------------------------------------------------------------
// Completeness

namespace {

// JPEG: walks the markers as the decoder reads them until the end-of-image
// marker.
bool Jpeg_Complete(const uint8_t* data, size_t size) {
  size_t pos = 2;  // after the start-of-image marker
  for (;;) {
    // The next marker: anything before an FF (bytes between segments, or a
    // scan's entropy-coded data) is passed over, then any number of FF fill
    // bytes.  FF 00 is a stuffed data byte, not a marker.
    const void* ff = pos < size ? std::memchr(data + pos, 0xFF, size - pos) : nullptr;
    if (ff == nullptr) return false;
    pos = static_cast<size_t>(static_cast<const uint8_t*>(ff) - data);
    while (pos < size && data[pos] == 0xFF) ++pos;
    if (pos >= size) return false;
    const uint8_t code = data[pos++];
    if (code == 0x00) continue;
    if (code == 0xD9) return true;  // end of image
    // Markers without a segment: restart markers (inside a scan's data),
    // TEM and a repeated start of image (which the decoder refuses itself).
    if ((code >= 0xD0 && code <= 0xD7) || code == 0x01 || code == 0xD8) continue;
    if (size - pos < 2) return false;
    // The length counts its own two bytes; the decoder takes a shorter one
    // as an empty segment.
    const size_t length = std::max<size_t>(2, static_cast<size_t>(data[pos] << 8 | data[pos + 1]));
    if (size - pos < length) return false;
    pos += length;
  }
}

// GIF: the first image must be there to its terminating empty sub-block.
bool Gif_Complete(const uint8_t* data, size_t size) {
  size_t pos = 6;  // after the signature
  const auto colour_table = [](uint8_t flags) -> size_t {
    return (flags & 0x80) != 0 ? size_t{3} << ((flags & 0x07) + 1) : 0;
  };
  // Skips a chain of sub-blocks up to and including its empty one.
  const auto sub_blocks = [data, size, &pos]() {
    for (;;) {
      if (pos >= size) return false;
      const size_t length = data[pos++];
      if (length == 0) return true;
      if (size - pos < length) return false;
      pos += length;
    }
  };
  if (size - pos < 7) return false;  // the logical screen descriptor
  pos += 7 + colour_table(data[10]);
  for (;;) {
    if (pos >= size) return false;
    const uint8_t introducer = data[pos++];
    if (introducer == 0x21) {  // extension: a label, then sub-blocks
      if (pos >= size) return false;
      ++pos;
      if (!sub_blocks()) return false;
    } else if (introducer == 0x2C) {  // image descriptor, colour table, code size, data
      if (size - pos < 9) return false;
      const uint8_t flags = data[pos + 8];
      pos += 9;
      const size_t table = colour_table(flags);
      if (size - pos < table + 1) return false;
      pos += table + 1;
      return sub_blocks();
    } else {
      // The trailer before any image, or a block this check does not
      // know: the decoder judges the file.
      return true;
    }
  }
}

// a * b + c, or SIZE_MAX when it does not fit.
uint64_t Saturating_Sum_of_Product(uint64_t a, uint64_t b, uint64_t c) {
  uint64_t product = 0, sum = 0;
  if (__builtin_mul_overflow(a, b, &product) || __builtin_add_overflow(product, c, &sum)) return UINT64_MAX;
  return sum;
}

// BMP: returns false with the bytes the header calls for in `needed`.
bool Bmp_Complete(const uint8_t* data, size_t size, uint64_t& needed) {
  needed = 18;  // file header and the information header's size field
  if (size < needed) return false;
  const uint32_t offBits = Get_LE_U32(data + 10);
  const uint32_t headerSize = Get_LE_U32(data + 14);
  int64_t width = 0, height = 0;
  uint32_t bitCount = 0, compression = 0, imageBytes = 0;
  if (headerSize == 12) {  // the core header
    needed = 14 + 12;
    if (size < needed) return false;
    width = Get_LE16(data + 18);
    height = Get_LE16(data + 20);
    bitCount = Get_LE_U16(data + 24);
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 64 ||
             headerSize == 108 || headerSize == 124) {
    needed = 14 + headerSize;
    if (size < needed) return false;
    width = Get_LE32(data + 18);
    height = Get_LE32(data + 22);
    bitCount = Get_LE_U16(data + 28);
    compression = Get_LE_U32(data + 30);
    imageBytes = Get_LE_U32(data + 34);
  } else {
    return true;  // a header the decoder refuses itself
  }
  if (width <= 0 || height == 0) return true;
  const uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);
  switch (compression) {
    case 0:    // uncompressed
    case 3:    // bit fields
    case 6: {  // bit fields with alpha
      if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
          bitCount != 32)
        return true;
      const uint64_t rowBits = static_cast<uint64_t>(width) * bitCount;
      const uint64_t stride = (rowBits + 31) / 32 * 4;
      needed = Saturating_Sum_of_Product(stride, rows - 1, uint64_t{offBits} + (rowBits + 7) / 8);
      break;
    }
    case 1:  // run-length coded, 8 bits
    case 2:  // run-length coded, 4 bits
      if (imageBytes == 0) return true;
      needed = uint64_t{offBits} + imageBytes;
      break;
    default:
      return true;
  }
  return size >= needed;
}

}  // namespace

bool Check_Picture_Complete(const uint8_t* data, size_t size, std::string& reason) {
  reason.clear();
  switch (Picture_Kind(data, size)) {
    case PictureKind::Jpeg:
      if (Jpeg_Complete(data, size)) return true;
      reason = "the JPEG data ends before its end-of-image marker";
      return false;
    case PictureKind::Gif:
      if (Gif_Complete(data, size)) return true;
      reason = "the GIF data ends before its first image is complete";
      return false;
    case PictureKind::Bmp: {
      uint64_t needed = 0;
      if (Bmp_Complete(data, size, needed)) return true;
      reason = Text_Format("the BMP file has %llu bytes; its header calls for %llu",
                           static_cast<unsigned long long>(size), static_cast<unsigned long long>(needed));
      return false;
    }
    default:
      return true;
  }
}
