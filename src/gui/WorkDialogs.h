#pragma once
// The two work dialogs of the Layers and Image menus, as the shell runs
// them: "Color Separation Creation" (Create Separations) and "Outline
// Creation" (Create Outline).  The dialogs are SeparationDialog and
// OutlineDialog over the controllers the sessions hold; these two functions
// are the one place that builds them for the commands.
//
// Each runs its dialog modally over `parent` and is true when the dialog
// ended with its OK ("Close" and "Save").

#include <cstdint>
#include <functional>

#include "outline/OutlineDialogController.h"
#include "separation/SeparationDialogController.h"

class QWidget;

// `outline` is what the separation dialog's "Outline Editor" works on;
// `openOutlineWindows` opens the windows the outline dialog needs first and
// is false (after its own message) when that fails; `outlineSeed` starts the
// outline's random line shifts; `outlineEditorClosed` is told whether the
// outline dialog of "Outline Editor" saved.
bool Run_Separation_Dialog(SeparationSession& session, const OutlineContext& outline,
                           const std::function<bool()>& openOutlineWindows, uint32_t outlineSeed,
                           const std::function<void(bool saved)>& outlineEditorClosed, QWidget* parent);
bool Run_Outline_Dialog(OutlineSession& session, QWidget* parent);
