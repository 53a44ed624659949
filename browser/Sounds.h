// The main dialog's sounds: which wave file plays when the dialog opens and
// when a capsule is selected. Sounds are optional; a missing file is silence.
#pragma once

#include <vector>

#include "config/BonusConfig.h"

namespace browser {

// The opening sound's candidates in order of preference, for program base
// name B: module folder + "\..\media\B.wav", module folder + "\B.wav",
// SourceDir + "\media\B.wav" (SourceDir may be empty).
CStringArray OpeningSoundCandidates(const CBonusConfig& config);

// The selection sound of the capsule in folder F: F + "\" + N + ".wav".
CString CapsuleSoundPath(const CString& capsuleFolder);

// Plays the first of `candidates` that exists as a file (by name,
// asynchronously, no default sound); true when one was started.
bool PlayFirstExisting(CBonusConfig& config, const CStringArray& candidates);

}  // namespace browser
