#include "diagram/pointer_readout.h"

// Placeholder until the read-out is built: the filter passes every event on.
PointerReadout::PointerReadout(QWidget* form, QLabel* readout)
    : QObject(form), form_(form), readout_(readout) {}

bool PointerReadout::eventFilter(QObject*, QEvent*) { return false; }
