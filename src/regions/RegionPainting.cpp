// Region painting and colour fitting.

#include "regions/RegionSubject.h"

namespace {
constexpr const char* kNotBuilt = "RegionSubject painting is not built yet.";
}

bool RegionSubject::Update_SmallBitmap_Bits_wColorModify(std::string& err) { err = kNotBuilt; return false; }
bool RegionSubject::Calc_HuntColor_Plus_ColorOffsets(int16_t&, int16_t&, int16_t&, std::string& err) const { err = kNotBuilt; return false; }
bool RegionSubject::Create_PseudoPainted_Bitmap(const std::string&, const OffMap*, int32_t, int32_t, int16_t, int16_t, Platform&, RegionRandom&, std::string& err) { err = kNotBuilt; return false; }
bool RegionSubject::Modify_Existing_PseudoPainted_Bitmap(const std::string&, int16_t, int16_t, Platform&, RegionRandom&, std::string& err) { err = kNotBuilt; return false; }
bool RegionSubject::Match_PseudoPainted_Bitmap_to_Original_ColorSpec(std::string& err) { err = kNotBuilt; return false; }
bool RegionSubject::Fit_Color_YIQ(int16_t, int16_t, int16_t, bool&, std::string& err) { err = kNotBuilt; return false; }
bool RegionSubject::Fit_Color_to_Target(int16_t, int16_t, int16_t, bool&, std::string& err) { err = kNotBuilt; return false; }
bool RegionSubject::Fit_Color_HSV_YIQ(int16_t, int16_t, int16_t, bool&, std::string& err) { err = kNotBuilt; return false; }
bool RegionSubject::On_Fit_Color_To_RemainderMap(const OffMap&, bool&, Platform&, std::string& err) { err = kNotBuilt; return false; }
bool RegionSubject::Paint_Transparent_To_DestMap(OffMap&, int16_t, std::string& err) const { err = kNotBuilt; return false; }
