#include "app/quillmere_app.h"
#include "sheet/winding_sheet_command.h"

int main(int argc, char** argv) {
    // The winding sheet is written without opening the form, and without a display.
    if (windingSheetRequested(argc, argv)) return runWindingSheetCommand(argc, argv);
    CQuillmereApp application;
    return application.run(argc, argv);
}
