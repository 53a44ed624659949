// The once-only start of the programs that accompany the main dialog: Run1
// before the main dialog is shown, Run2 once it has appeared.
//
// Each start is guarded by a named mutex used only as a marker:
// "MainDialogFirstTimeRunning" for Run1, "AfterMainDialogFirstTimeRunning"
// for Run2. RunOnce creates the marker and never closes it, so the name
// lives until the last process that created it ends; while it exists, every
// later RunOnce of that mode, in any copy of the program, does nothing.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

class CFirstTimeRun {
 public:
  // Longest pause that a Run1 value can ask for, in seconds: the most whole
  // seconds whose count of milliseconds fits the 32-bit pause argument below
  // 0xFFFFFFFF, which would mean "for ever". Longer values pause this long.
  static constexpr int kMaxPauseSeconds = 4294967;

  explicit CFirstTimeRun(plat::Platform& platform);

  // Mode 1: creates the Run1 marker; if it did not exist yet, reads the main
  // configuration (LocateConfigFile(false); a missing file leaves everything
  // empty) and, when no main dialog with the WindowTitle caption is open
  // (FindMainDialog) and Run1 is set, starts the Run1 program and then pauses
  // the calling thread for the value's seconds.
  // Mode 2: creates the Run2 marker; if it did not exist yet and the main
  // dialog is open and Run2 is set, starts the Run2 program (no pause).
  // Any other mode does nothing.
  //
  // A Run value is "program,seconds": the program path is relative to the
  // data folder; blanks before the value and around the path are ignored.
  // The program is started by its short (8.3) path, as a new process that is
  // not waited for; a program that does not exist (or whose short path does
  // not fit 260 characters) is not started and no pause is made. The seconds
  // are read as a decimal number with a fraction and truncated toward zero
  // (2.9 pauses 2 s); without a comma the whole value is read (normally 0).
  // A value below 1, or one that is not a number (NaN), makes no pause; one
  // above kMaxPauseSeconds pauses kMaxPauseSeconds. A failed process start
  // still pauses. Every failure is silent.
  void RunOnce(int mode);

  // Working fields of one call, in order: the chosen command, the Run1
  // value (then the program path), the Run2 value, the data folder, the
  // program's base name, the WindowTitle value and the pause in seconds.
  std::string m_sCommand;
  std::string m_sRun1;
  std::string m_sRun2;
  std::string m_sFolder;
  std::string m_sBaseName;
  std::string m_sWindowTitle;
  int m_nDelay = 0;

 private:
  plat::Platform* m_platform;
};

// The pause, in whole seconds, that the seconds text `text` asks for: read
// with atof after leading white space and truncated toward zero; 0 for a
// negative value, NaN or a text that is not a number, and
// CFirstTimeRun::kMaxPauseSeconds for any value beyond it (infinity too).
int FirstTimeRunPauseSeconds(const std::string& text);
