// The statuses a command ends with when the fault lies outside the run (the run's own are below
// 64).
#pragma once

namespace tavik {

// Each value is the one the command line documents; a command returns them as its exit status.
enum ExitStatus : int {
  kExitOk = 0,                // the command did what it was asked
  kExitUsage = 64,            // a bad option or value, an output that is an input
  kExitModelRefused = 65,     // the model, database or form file is refused
  kExitModelUnreadable = 66,  // the model, database or form file cannot be read
  kExitSoftware = 70,         // an internal fault: a project that does not check
  kExitCannotCreate = 73,     // the output cannot be created or must not be replaced
  kExitWriteFailed = 74,      // writing the output failed
};

}  // namespace tavik
