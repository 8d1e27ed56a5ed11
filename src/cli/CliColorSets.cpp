// `quorlin sets` and `quorlin colors`: the stock colour sets and the paint
// colours, so that the names `separate --set` and `--rows` take can be
// looked up; and the texts and the `--set auto` choice of `separate`.

#include "cli/CliColorSets.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

#include "cli/CliCommands.h"
#include "colors/StandardColorTable.h"
#include "colors/StandardColors.h"
#include "colors/StockColorSets.h"
#include "platform/Text.h"
#include "render/RenderMan.h"

namespace {

std::string Set_Nickname(int16_t colorSet) {
  std::string nickname, err;
  Get_Nickname_of_Stock_ColorSet(colorSet, err, nickname);
  return nickname;
}

std::string Color_Nickname(int16_t index) {
  std::string nickname;
  Get_StandardColors_Nickname(index, nickname);
  return nickname;
}

// The standard colour indices of a set, in set order.
std::vector<int16_t> Set_Colors(int16_t colorSet) {
  std::vector<int16_t> colors;
  for (const char* member : StockColorSets[colorSet].members)
    colors.push_back(Get_StandardColors_Index_by_Nickname(member));
  return colors;
}

std::string Hex_RGB(int16_t index) {
  int16_t r = 0, g = 0, b = 0;
  std::string err;
  Get_StandardColors_RGB_from_Table(index, r, g, b, err);
  return Text_Format("#%02X%02X%02X", r, g, b);
}

// "a", "a or b", "a, b or c".
std::string Or_List(const std::vector<std::string>& words) {
  std::string text;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i > 0) text += i + 1 == words.size() ? " or " : ", ";
    text += words[i];
  }
  return text;
}

std::string Json_Int_Array(const std::vector<int16_t>& values) {
  std::string text = "[";
  for (size_t i = 0; i < values.size(); ++i) text += (i ? "," : "") + std::to_string(values[i]);
  return text + "]";
}

}  // namespace

std::string Color_Set_Label(int16_t colorSet) {
  return Text_Format("set %d (%s)", colorSet, Set_Nickname(colorSet).c_str());
}

std::string Unknown_Paint_Problem(const std::string& name, int16_t colorSet) {
  std::string problem = "--rows: \"" + name + "\" is not the name of a paint colour";
  std::vector<std::string> closest;
  for (int16_t index : Closest_StandardColors_by_Nickname(name, 3)) closest.push_back(Color_Nickname(index));
  problem += closest.empty() ? "." : "; did you mean " + Or_List(closest) + "?";
  problem += " The colours of " + Color_Set_Label(colorSet) + ":";
  for (int16_t index : Set_Colors(colorSet)) problem += " " + Color_Nickname(index) + ",";
  return problem + " -NONE-";
}

std::string Paint_Not_In_Set_Problem(int16_t index, int16_t colorSet) {
  std::string problem = Text_Format("--rows: %s is not a colour of %s", Color_Nickname(index).c_str(),
                                    Color_Set_Label(colorSet).c_str());
  const std::vector<int16_t> sets = Stock_ColorSets_Holding_Color(index);
  if (sets.empty()) return problem + "; it is in no stock set";
  problem += sets.size() == 1 ? "; it is in set " : "; it is in sets ";
  for (size_t i = 0; i < sets.size(); ++i)
    problem += Text_Format("%s%d (%s)", i ? ", " : "", sets[i], Set_Nickname(sets[i]).c_str());
  return problem + "; choose one with --set";
}

bool Cli_Choose_Auto_ColorSet(CliStreams& io, RenderMan& renderMan, const Settings& settings,
                              const std::string& photoPath, AutoColorSetResult& result) {
  const int32_t threads = static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()));
  std::string err;
  if (Choose_Stock_ColorSet(renderMan, settings, photoPath, threads, result, err)) return true;
  io.err << "quorlin separate: --set auto: " << err << '\n';
  return false;
}

void Print_Auto_ColorSet(std::ostream& out, const AutoColorSetResult& result) {
  out << "set auto: chose " << result.chosen << " (" << Set_Nickname(result.chosen) << "), mean ΔE "
      << Text_Format("%.1f", result.scores[result.chosen].meanDeltaE);
  if (result.chosen != 0) out << "; set 0 scores " << Text_Format("%.1f", result.scores[0].meanDeltaE);
  out << " (CIE76 at " << result.trialWidth << " x " << result.trialHeight << ")\n";
}

std::string Auto_ColorSet_Json(const AutoColorSetResult& result) {
  std::string json = Text_Format(
      "{\"chosen\":%d,\"name\":%s,\"metric\":\"CIE76\",\"trialWidth\":%d,"
      "\"trialHeight\":%d,\"scores\":[",
      result.chosen, Cli_Json_Text(Set_Nickname(result.chosen)).c_str(), result.trialWidth,
      result.trialHeight);
  for (size_t i = 0; i < result.scores.size(); ++i) {
    const ColorSetScore& score = result.scores[i];
    json += Text_Format("%s{\"set\":%d,\"name\":%s,\"meanDeltaE\":%.3f}", i ? "," : "", score.colorSet,
                        Cli_Json_Text(Set_Nickname(score.colorSet)).c_str(), score.meanDeltaE);
  }
  return json + "]}";
}

int Cli_Sets(const std::vector<std::string>& words, CliStreams& io) {
  const CliCommand& self = Cli_Command("sets");
  CliArgs args;
  args.Flag_Option("--json");
  std::string problem;
  if (!args.Parse(words, problem)) return Cli_Usage_Error(io, self, problem);
  if (args.Wants_Help()) {
    return Cli_Help(io, self,
                    "Prints one line per stock colour set: its index (what separate --set takes), its\n"
                    "name and the names of its paint colours in the set's order.\n"
                    "  --json              one JSON array instead: {\"index\", \"name\", \"repeats\" (a\n"
                    "                      palette may use a colour more than once), \"colors\"}\n");
  }
  if (!args.Positional().empty()) return Cli_Usage_Error(io, self, "sets takes no PHOTO or other word");
  const bool json = args.Has("--json");
  if (json) io.out << "[";
  for (int16_t set = 0; set < kStockColorSetCount; ++set) {
    const std::vector<int16_t> colors = Set_Colors(set);
    if (json) {
      io.out << (set ? "," : "") << "{\"index\":" << set << ",\"name\":" << Cli_Json_Text(Set_Nickname(set))
             << ",\"repeats\":" << (StockColorSets[set].repeatColorsAllowed ? "true" : "false")
             << ",\"colors\":[";
      for (size_t i = 0; i < colors.size(); ++i)
        io.out << (i ? "," : "") << Cli_Json_Text(Color_Nickname(colors[i]));
      io.out << "]}";
      continue;
    }
    io.out << Text_Format("%2d  %-18s ", set, Set_Nickname(set).c_str());
    for (size_t i = 0; i < colors.size(); ++i) io.out << (i ? ", " : "") << Color_Nickname(colors[i]);
    io.out << '\n';
  }
  if (json) io.out << "]\n";
  return kExitOk;
}

int Cli_Colors(const std::vector<std::string>& words, CliStreams& io) {
  const CliCommand& self = Cli_Command("colors");
  CliArgs args;
  args.Value_Option("--set");
  args.Flag_Option("--json");
  std::string problem;
  if (!args.Parse(words, problem)) return Cli_Usage_Error(io, self, problem);
  if (args.Wants_Help()) {
    return Cli_Help(
        io, self,
        "Prints one line per paint colour: its name (what separate --rows takes, case\n"
        "ignored), its colour as #RRGGBB and the stock sets that hold it.\n"
        "  --set N             only the colours of stock set N (0 to 15), in the set's order\n"
        "  --json              one JSON array instead: {\"index\", \"name\", \"rgb\", \"sets\"}\n");
  }
  if (!args.Positional().empty()) return Cli_Usage_Error(io, self, "colors takes no PHOTO or other word");
  std::vector<int16_t> colors;
  if (const std::optional<std::string> text = args.Value("--set")) {
    long value = 0;
    if (!Parse_Int_Option("--set", *text, 0, kStockColorSetCount - 1, value, problem))
      return Cli_Usage_Error(io, self, problem);
    colors = Set_Colors(static_cast<int16_t>(value));
  } else {
    for (int16_t index = 1; index < kStandardColorCount; ++index) colors.push_back(index);
  }
  const bool json = args.Has("--json");
  if (json) io.out << "[";
  for (size_t i = 0; i < colors.size(); ++i) {
    const int16_t index = colors[i];
    const std::vector<int16_t> sets = Stock_ColorSets_Holding_Color(index);
    if (json) {
      io.out << (i ? "," : "") << "{\"index\":" << index
             << ",\"name\":" << Cli_Json_Text(Color_Nickname(index)) << ",\"rgb\":\"" << Hex_RGB(index)
             << "\",\"sets\":" << Json_Int_Array(sets) << "}";
      continue;
    }
    io.out << Text_Format("%-21s %s  sets", Color_Nickname(index).c_str(), Hex_RGB(index).c_str());
    for (int16_t set : sets) io.out << ' ' << set;
    io.out << '\n';
  }
  if (json) io.out << "]\n";
  return kExitOk;
}
