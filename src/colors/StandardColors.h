#pragma once
// Lookups on the standard colour table (indices 0..33; anything else fails)
// and on the stock colour sets (indices 0..15).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class ColorList;

// The row's nickname; false and an empty text for a bad index.
bool Get_StandardColors_Nickname(int16_t index, std::string& nickname);
// The row's hue, saturation and value; false (outputs untouched) for a bad index.
bool Get_StandardColors_HSV_Values(int16_t index, int16_t& hue, int16_t& sat, int16_t& val);
// The row's colour as red, green and blue, each clamped to 0..255.
bool Get_StandardColors_RGB_from_Table(int16_t index, int16_t& red, int16_t& green, int16_t& blue,
                                       std::string& err);
// The first row whose nickname matches without regard to case, or -1.
int16_t Get_StandardColors_Index_by_Nickname(std::string_view nickname);
// The first row with exactly this hue, saturation and value, or -1.
int16_t Get_StandardColors_Index_to_Main_Colors_Array(int16_t hue, int16_t sat, int16_t val);

bool Get_Nickname_of_Stock_ColorSet(int16_t setIndex, std::string& err, std::string& nickname);
// Empties `list`, then appends the set's colours in set order.
bool Make_ColorSets_List_of_Colors(ColorList& list, int16_t palettePrimaryIdx, bool& repeatColorsAllowed,
                                   std::string& err);

// The stock sets that hold the standard colour `index`, in set order (none
// for "-NONE-" or a bad index).
std::vector<int16_t> Stock_ColorSets_Holding_Color(int16_t index);
// The standard colours (never "-NONE-") whose nicknames are closest to
// `text`, at most `count`, closest first and in table order among equals.
// Closeness is the edit distance without regard to case, offered when it is
// at most a third of the nickname's length plus one; a nickname that holds
// `text` (three letters or more) counts as one edit away, and one with a word
// at most a third of its length away from `text` as one more than that word.
// A text that is like no colour gets no suggestion.
std::vector<int16_t> Closest_StandardColors_by_Nickname(std::string_view text, size_t count);
