#include "app/calculator_switch.h"

#include "app/app_icons.h"
#include "psrex/psr_ex_dlg.h"

void runCalculator() {
    CPsrExDlg calculator;
    calculator.setWindowIcon(applicationIcon());
    calculator.exec();
}
