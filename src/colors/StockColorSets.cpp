#include "colors/StockColorSets.h"

namespace {

const char* const kPopular15[] = {"Vermillion",    "Juane",         "Orange",       "Yellow",
                                  "Sap Green",     "Hookers Green", "Pthalo Green", "Prussian Blue",
                                  "Cerulean Blue", "Cobalt Blue",   "Purple",       "Violet",
                                  "Magenta",       "Rose",          "Crimson"};
const char* const kPop15WithBrowns[] = {"Vermillion",    "Juane",         "Orange",       "Yellow",
                                        "Sap Green",     "Hookers Green", "Pthalo Green", "Prussian Blue",
                                        "Cerulean Blue", "Cobalt Blue",   "Purple",       "Violet",
                                        "Magenta",       "Rose",          "Crimson",      "Burnt Sienna",
                                        "Burnt Umber",   "Raw Sienna",    "Yellow Ochre"};
const char* const kOrangeAlternates[] = {"Vermillion",    "Orange", "Sap Green", "Pthalo Green",
                                         "Cerulean Blue", "Purple", "Magenta",   "Crimson"};
const char* const kYellowAlternates[] = {"Juane",       "Yellow", "Hookers Green", "Prussian Blue",
                                         "Cobalt Blue", "Violet", "Crimson"};
const char* const kPentaCobaltBlue[] = {"Vermillion", "Yellow", "Pthalo Green", "Cobalt Blue", "Magenta"};
const char* const kPentaPurple[] = {"Juane", "Sap Green", "Prussian Blue", "Purple", "Rose"};
const char* const kPentaCerulean[] = {"Orange", "Hookers Green", "Cerulean Blue", "Violet", "Crimson"};
const char* const kQuadVermillion[] = {"Vermillion", "Sap Green", "Cerulean Blue", "Magenta"};
const char* const kQuadOrange[] = {"Orange", "Pthalo Green", "Purple", "Rose"};
const char* const k10Grays[] = {"Gray 1", "Gray 2", "Gray 3", "Gray 4", "Gray 5",
                                "Gray 6", "Gray 7", "Gray 8", "Gray 9", "Gray 10"};
const char* const k3GraysDark[] = {"Gray 5", "Gray 7", "Gray 10"};
const char* const k3GraysLite[] = {"Gray 1", "Gray 3", "Gray 6"};
const char* const k2Grays[] = {"Gray 4", "Gray 8"};
const char* const k6Synthetics[] = {
    "Magenta-Pink (syn)", "Blue-Purple (syn)", "Cyan-Turquoise (syn)", "Green Lite (syn)", "Yellow",
    "Vermillion"};
const char* const kNewPalette1[] = {"Burnt Sienna", "Vermillion", "Yellow", "Pthalo Green", "Violet"};
const char* const kNewPalette2[] = {"Burnt Umber", "Juane", "Yellow", "Prussian Blue", "Violet", "Rose"};

}  // namespace

// The separation dialog offers sets 0 to 8 by position, so the order of the
// first nine is fixed; stored files and dialogs refer to every set by index.
const StockColorSet StockColorSets[kStockColorSetCount] = {
    {"Popular 15", kPopular15, false},
    {"Pop 15 w/Browns", kPop15WithBrowns, false},
    {"Orange Alternates", kOrangeAlternates, false},
    {"Yellow Alternates", kYellowAlternates, false},
    {"Penta Cobalt Blue", kPentaCobaltBlue, false},
    {"Penta Purple", kPentaPurple, false},
    {"Penta Cerulean", kPentaCerulean, false},
    {"Quad Vermillion", kQuadVermillion, false},
    {"Quad Orange", kQuadOrange, false},
    {"10 Grays", k10Grays, true},
    {"3 Grays Dark", k3GraysDark, true},
    {"3 Grays Lite", k3GraysLite, true},
    {"2 Grays", k2Grays, true},
    {"6 Synthetics", k6Synthetics, true},
    {"New Palette 1", kNewPalette1, false},
    {"New Palette 2", kNewPalette2, false},
};
