#pragma once
// The paint colours and stock colour sets on the command line: the texts
// that name them in `quorlin separate`'s errors, and its `--set auto`.

#include <cstdint>
#include <iosfwd>
#include <string>

#include "app/AutoColorSet.h"
#include "cli/Cli.h"

// "set N (Name)".
std::string Color_Set_Label(int16_t colorSet);

// The --rows problem for a name that is no paint colour: the closest names
// (at most three) and the colours of `colorSet`.
std::string Unknown_Paint_Problem(const std::string& name, int16_t colorSet);
// The --rows problem for the paint colour `index` that `colorSet` does not
// hold: the sets that do.
std::string Paint_Not_In_Set_Problem(int16_t index, int16_t colorSet);

// `--set auto`: tries every stock set on the photo `renderMan` holds with
// `settings` (Choose_Stock_ColorSet) on every core.  A failure is printed
// and false returned.
bool Cli_Choose_Auto_ColorSet(CliStreams& io, RenderMan& renderMan, const Settings& settings,
                              const std::string& photoPath, AutoColorSetResult& result);
// One line: the chosen set and its score, and set 0's when another won.
void Print_Auto_ColorSet(std::ostream& out, const AutoColorSetResult& result);
// The JSON object of the choice: the chosen set, the trial size and every
// set's score.
std::string Auto_ColorSet_Json(const AutoColorSetResult& result);
