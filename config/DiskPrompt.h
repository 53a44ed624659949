// The one loop that locates the main configuration while the product's disk
// may be missing: look for the file, and when it is not there, read the
// program folder's copy for a caption and ask for the disk ("Please insert
// the disk labeled ..." with OK to look again and Cancel to give up).
//
// Start-up, the tray icon, the tray frame and the main dialog's set-up,
// selection and install command all look this way; what differs between
// them is spelt out in ConfigSearch.
#pragma once

#include <functional>
#include <string>

#include "config/BonusConfig.h"
#include "platform/Platform.h"

struct ConfigSearch {
  // Look first for the program folder's copy (LocateConfigFile(true)).
  bool preferProgramFolder = false;
  // A missing file is also reported in the "doesn't exist" box.
  bool reportMissing = false;
  // Read the located file before testing whether it exists (the main dialog
  // reads the main file again at every selection and install).
  bool readBeforeTest = false;
  // Read the file once it is found (when it was not read before the test).
  bool readWhenFound = true;
  // Read the program folder's copy before asking, for the prompt's caption.
  bool readFallbackForCaption = true;
  // An empty WindowTitle asks under the default title instead.
  bool defaultCaption = true;
};

struct ConfigSearchResult {
  // The file was found; false when the user gave up.
  bool found = false;
  // The file found; when the user gave up, the program folder's copy that the
  // last prompt read its caption from.
  std::string file;
  // The WindowTitle of the store after the search, unchanged when found; the
  // caption of the last prompt otherwise.
  std::string caption;
  // The prompt was shown at least once.
  bool prompted = false;
};

// The one rule of every prompt that may ask again: true only for the answer
// OK (IDOK) while no quit message waits. Cancel and any other answer (a box
// or dialog that failed: 0, -1) give up, and so does a prompt whose loop a
// quit message ended: such a loop answers OK, and every later one would end
// at once the same way.
bool LooksAgain(plat::Platform& platform, int answer);

// Decides, after a failed look, whether to look again. `store` holds what the
// search has read so far and `caption` is the prompt's caption. The default
// shows the insert-disk prompt (VMessageBox, no owner, 0x11) and looks again
// as LooksAgain says.
using DiskAsk = std::function<bool(CBonusConfig& store, const std::string& caption)>;

// Looks until the file is found or `ask` gives up. With `store` null, every
// round reads into a fresh store of its own; otherwise into `store`, whose
// folders LocateConfigFile fills.
ConfigSearchResult LocateConfigOrPrompt(plat::Platform& platform, CBonusConfig* store,
                                        const ConfigSearch& rules, const DiskAsk& ask = {});

// The insert-disk prompt under `caption`; LooksAgain of its answer.
bool AskForDisk(plat::Platform& platform, const std::string& caption);
