#include "render/TextureMaps.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/FolderListing.h"
#include "platform/PathNames.h"
#include "render/RenderMan.h"

const char* const kMonochromeTextureFolder = "Monocrome";
const char* const kColorTextureFolder = "Color";

const char* TextureMap_SubFolder(int16_t code) {
  switch (code) {
    case 0:
    case 2:
      return kMonochromeTextureFolder;
    case 1:
      return kColorTextureFolder;
    default:
      return nullptr;
  }
}

int16_t TextureMap_Size_From_Name(const std::string& fileName) {
  // The title is the name without its extension; a leading "." starts the
  // name rather than an extension.
  std::string_view title(fileName);
  const size_t dot = title.rfind('.');
  if (dot != std::string_view::npos && dot > 0) title = title.substr(0, dot);
  const size_t bar = title.rfind('_');
  if (bar == std::string_view::npos) return 0;
  const std::string_view digits = title.substr(bar + 1);
  if (digits.empty()) return 0;
  int32_t size = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return 0;
    size = size * 10 + (c - '0');
    if (size > INT16_MAX) return 0;
  }
  return static_cast<int16_t>(size);
}

std::string Default_Texture_Folder() {
  const char* named = std::getenv("QUORLIN_TEXTURES");
  if (named != nullptr && named[0] != '\0') return named;
  std::vector<char> exe(4096);
  const ssize_t length = ::readlink("/proc/self/exe", exe.data(), exe.size());
  if (length <= 0 || static_cast<size_t>(length) >= exe.size()) return std::string();
  const std::string folder = Path_Folder(std::string_view(exe.data(), static_cast<size_t>(length)));
  if (folder.empty()) return std::string();
  return folder + "textures";
}

ListMemry<TextureMapSpec>* RenderMan::Writable_TextureMap_List(int16_t code) {
  switch (code) {
    case 0:
    case 2:
      return &m_textureMapListMono;
    case 1:
      return &m_textureMapListColor;
    default:
      return nullptr;
  }
}

const ListMemry<TextureMapSpec>* RenderMan::Get_TextureMap_List(int16_t code) const {
  return const_cast<RenderMan*>(this)->Writable_TextureMap_List(code);
}

int32_t RenderMan::Build_TextureMap_List(int16_t code) {
  ListMemry<TextureMapSpec>* list = Writable_TextureMap_List(code);
  const std::string folder = Get_TextureMap_Folder(code);
  if (list == nullptr || folder.empty()) return 0;

  int32_t added = 0;
  for (const std::string& name : Plain_Files_In_Folder(folder)) {
    const int16_t size = TextureMap_Size_From_Name(name);
    if (size <= 0) continue;
    list->Add_To_Tail(new TextureMapSpec{name, size});
    ++added;
  }

  // Bubble sort on the elements (the links stay): a later entry moves in
  // front only when it is strictly smaller, so equal sizes keep their order.
  const int32_t count = list->Get_Count();
  for (int32_t pass = 1; pass < count; ++pass) {
    bool swapped = false;
    for (ListLink<TextureMapSpec>* link = list->Get_Head_Link();
         link != nullptr && link->Get_Next() != nullptr; link = link->Get_Next()) {
      ListLink<TextureMapSpec>* next = link->Get_Next();
      if (next->Get_Object()->size < link->Get_Object()->size) {
        TextureMapSpec* later = next->Get_Object();
        next->Set_Object(link->Get_Object());
        link->Set_Object(later);
        swapped = true;
      }
    }
    if (!swapped) break;
  }
  return added;
}

bool RenderMan::Get_TextureMapSpec(int32_t index, int16_t code, TextureMapSpec& textureEntry) const {
  const ListMemry<TextureMapSpec>* list = Get_TextureMap_List(code);
  // Get_Nth answers a bad index with the first element; only real entries count.
  if (list == nullptr || index < 0 || index >= list->Get_Count()) return false;
  textureEntry = *list->Get_Nth(index);
  return true;
}

int32_t RenderMan::Pick_A_TextureMap(std::string& err, int16_t mode, const RenderMan& renderMan,
                                     int32_t width, int32_t height, int16_t code, int16_t& scale) {
  err.clear();
  scale = 1;
  const ListMemry<TextureMapSpec>* list = renderMan.Get_TextureMap_List(code);
  const int32_t count = list != nullptr ? list->Get_Count() : 0;
  const auto covers = [&](const TextureMapSpec& textureEntry) {
    return textureEntry.size >= width && textureEntry.size >= height;
  };

  if (mode == 0) {
    for (int32_t i = 0; i < count; ++i) {
      if (covers(*list->Get_Nth(i))) return i;
    }
  } else if (mode == 1) {
    for (int32_t i = count - 1; i >= 0; --i) {
      const TextureMapSpec& textureEntry = *list->Get_Nth(i);
      if (!covers(textureEntry)) continue;
      // An empty side does not limit the shrinking (and must not divide by 0).
      const int32_t byWidth = textureEntry.size / std::max<int32_t>(width, 1);
      const int32_t byHeight = textureEntry.size / std::max<int32_t>(height, 1);
      scale = static_cast<int16_t>(std::clamp<int32_t>(std::min(byWidth, byHeight), 1, 8));
      return i;
    }
  }
  err = "RenderMan::Pick_A_TextureMap  FAILED,  could not find ANY TextureMaps that were big enough.";
  return -2;
}

std::string RenderMan::Get_TextureMap_Folder(int16_t code) const {
  const char* sub = TextureMap_SubFolder(code);
  if (sub == nullptr || m_textureFolder.empty()) return std::string();
  return Path_Join(m_textureFolder, sub) + "/";
}

void RenderMan::Set_Texture_Folder(const std::string& folder) {
  m_textureMapListMono.Delete_All();
  m_textureMapListColor.Delete_All();
  m_textureFolder = folder;
  Build_TextureMap_List(0);
  Build_TextureMap_List(1);
}
