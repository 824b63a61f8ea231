#pragma once

#include "wificfg/TervoCfgCommandLine.h"

#include <cstdio>

class Prompt;

// The command-line modes: --save and --load run the dialog's checks,
// conversion and file code on one mount point, --help and --version print.
// Returns the exit status: 0 done, 1 refused or failed, 2 wrong command line.
int RunBatchMode(const TervoCfgCommandLine& line, Prompt& prompt, std::FILE* out = stdout, std::FILE* err = stderr);
