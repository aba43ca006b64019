#pragma once

/// Runs the VEV_OD calculator modally; "REV_IR Mod" calls it once the design form has closed.
void runCalculator();
