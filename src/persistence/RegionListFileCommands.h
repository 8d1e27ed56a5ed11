#pragma once
// RegionListFileCommands: the user's side of region list files, carried out
// on the pieces of a ListFileContext: "Load RegionList" with its file
// dialog, the later-version question and the search for a source photo that
// has moved, the save operations, and the single-record files of the
// framework.
//
// The object holds no state of its own: the list file's path (and with it
// its name and folder), the changes flag, the region counter and the source
// photo live in the context's document state, the settings in its settings
// records, so a command object can be made whenever one is needed.  Every
// question, dialog and message goes through the context's platform services.
//
// Files.  Only the operations that open files catch the file layer's
// ListFileException and turn it into the program's "because" texts.  Every
// save goes to a temporary file that replaces the old file only once the
// whole list has been written: a save that fails for any reason (a full
// disk, a list that cannot be stored, such as an outline too large for a
// list file) leaves the file that was there untouched.
//
// Every operation clears its error text on entry and returns false with the
// text set when it fails.

#include <cstdint>
#include <memory>
#include <string>

#include "persistence/ListFileContext.h"

class ComponentSubject;
class External;
class RegionListExternal;

class RegionListFileCommands {
 public:
  // The widest and highest working size a list's photo is reloaded at.
  static constexpr int32_t kMaxPhotoReloadSide = 500;

  explicit RegionListFileCommands(const ListFileContext& context) : m_context(context) {}

  // A new external bound to the context's region list.
  std::unique_ptr<RegionListExternal> Alloc_RegionApp_ListFiles_External(std::string& err);

  // ---- loading ---------------------------------------------------------------------
  // The whole "Load RegionList" command: the open dialog, the load, the
  // region counter, the source photo at the list's canvas size (when it has
  // moved, the user may browse for it or go on without it), the layered and
  // support maps, the outline read and the separation dialog's rows.
  // `sameSourcePhoto`: the list was made from the photo already loaded.
  // `cancelled`: the user stopped at a dialog or question, nothing loaded.
  // A `path` given (a file named on the command line or dropped on the
  // window) takes the place of the open dialog.
  bool Load_RegionList(bool& sameSourcePhoto, bool& photoLoaded, bool& cancelled, std::string& err,
                       const std::string& path = std::string());
  // The open dialog (unless `path` is given), the unsaved-changes question,
  // the peek and the later-version question, then the load.  Declining the
  // later version counts as cancelled: nothing is loaded.
  bool Load_With_Dialog(External& external, bool& cancelled, std::string& err,
                        const std::string& path = std::string());
  // The file's version byte and the project path its header chunk begins
  // with; fails for a file of another kind and for an empty project path.
  bool Peek_At_ListFiles_ProjectPath(External& external, const std::string& path, std::string& projectPath,
                                     uint8_t& version, std::string& err);
  // Reads the file with the external; on success the document's list
  // file path is `path`, on failure it is empty.
  bool Load_DSTlist(External& external, const std::string& path, std::string& err);
  // Loads the list's photo as the source at width x height.  A photo that
  // is not where the list says leads to a question; `declined` tells that
  // the user chose to go on without it, `newPath` the photo found by
  // browsing ("" when the stored one was used).
  bool Load_RegionLists_Source_Photo(const std::string& path, int32_t width, int32_t height, bool& declined,
                                     std::string& newPath, std::string& err);
  // The open dialog until the user picks a file with the stored path's name
  // (case ignored) or cancels.
  bool Browse_For_Same_Named_File(const std::string& storedPath, bool& cancelled, std::string& chosenPath,
                                  std::string& err);

  // ---- saving ----------------------------------------------------------------------
  // Saves the list with inline bitmaps through the save dialog; `savedPath`
  // is the document's list file path afterwards.  `cancelled`, when given,
  // tells that the user cancelled the dialog and nothing was written.
  bool Save_RegionList(std::string& savedPath, std::string& err, bool* cancelled = nullptr);
  // The same without a dialog, to `path`.
  bool Save_RegionList_To(const std::string& path, std::string& err);
  // The save dialog, then the save.  `text` is the message on success
  // ("Region List was SAVED.", or why nothing was written) and the error
  // text on failure.
  bool Save_List_As(External& external, bool& cancelled, std::string& text);
  // Saves to the list file last loaded or saved; `message` says what
  // happened.  False only when a save was tried and failed.
  bool Save_List(External& external, std::string& message);
  // Writes the list to `path`, asking for a path first when `path` or the
  // list file name is empty.  An empty list is not written (`text` says so).
  bool Save_DSTlist(External& external, bool& cancelled, std::string& path, std::string& text);

  // ---- single-record files ---------------------------------------------------------
  // For externals with a chunk code of 0 or more: a file with one chunk
  // holding one record.  An empty `path` asks with a dialog.
  bool Save_Simple_Struct(External& external, std::string& path, bool& cancelled, std::string& err);
  // `result` receives what the external's Receive made (null when it filled
  // its subject in place, or when nothing was loaded).
  bool Load_Simple_Struct(External& external, std::string& path, ComponentSubject*& result, bool& cancelled,
                          std::string& err);

 private:
  // The file name of the list file last loaded or saved ("" for none).
  std::string List_File_Name() const;
  // Creates the file anew at `path` and lets the external write it; the
  // old file stays unless everything was written.
  bool Write_DSTlist(External& external, const std::string& path, std::string& err);

  ListFileContext m_context;
};
