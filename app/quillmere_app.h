#pragma once

class DesignForm;
class QString;

/// The application object: reads the command line, opens the window system, runs the design
/// form and ends the program when the form closes.
class CQuillmereApp {
public:
    /// Runs the program and returns its exit status: 0 when the form was closed (or the winding
    /// sheet written, see runWindingSheetCommand), 1 when the window system cannot be opened and
    /// 2 for a command line it does not understand; each failure is said on stderr in the
    /// language chosen, without showing anything.
    int run(int argc, char** argv);
};

/// Shows the form and then, when `designFile` is not empty, opens it: its messages appear over
/// the form, never before it.
void startForm(DesignForm& form, const QString& designFile);
