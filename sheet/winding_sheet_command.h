#pragma once

#include "engine/texts.h"

/// True when the command line asks for a winding sheet (`--winding-sheet`) instead of the form.
bool windingSheetRequested(int argc, char** argv);

/// `quillmere --winding-sheet OUT.pdf [--design FILE.qmd] [--solution N]`: analyses the design
/// file (the form's defaults without one) without a display and writes the winding sheet of
/// solution N (its rank, 1 by default). Returns the exit status: 0 written; 2 bad usage, a bad
/// design file or an unwritable path; 3 the analysis refused the design or found no solution N.
/// Messages go to stderr. The sheet is set up in `language` (`quillmere --lang` has been read
/// and taken out of the arguments by then).
int runWindingSheetCommand(int argc, char** argv,
                           quillmere::Language language = quillmere::Language::Chinese);
