#pragma once

/// The application object: opens the window system, runs the design form and ends the program
/// when the form closes.
class CQuillmereApp {
public:
    /// Runs the program and returns its exit status. When the window system cannot be opened
    /// it says so on stderr and returns a failure status without showing anything.
    int run(int argc, char** argv);
};
