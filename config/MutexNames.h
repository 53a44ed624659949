// The named mutexes through which processes of the program, and other
// programs of the product, coordinate. They are only created, never waited
// on: a name that already exists is the signal.
#pragma once

// Owned while a main dialog or the order dialog is being shown; other
// programs of the product look for it.
inline constexpr const char* kStopAutoRunMutex = "V50_StopAutoRun_Mutex";
// A process with the tray icon is alive.
inline constexpr const char* kTrayMutex = "justSTI";
// Run1 has run in this session and must not run again.
inline constexpr const char* kRun1Mutex = "MainDialogFirstTimeRunning";
// Run2 has run in this session and must not run again.
inline constexpr const char* kRun2Mutex = "AfterMainDialogFirstTimeRunning";
