#include "app/calculator_switch.h"

#include "psrex/psr_calculator_dialog.h"
#include "widgets/app_icons.h"

void runCalculator() {
    PsrCalculatorDialog calculator;
    calculator.setWindowIcon(applicationIcon());
    calculator.exec();
}
