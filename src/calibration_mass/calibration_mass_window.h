#pragma once

class CalibrationWindow;
class PrintDialogs;
class Printer;

// The calibration worksheet for a dispenser with a mass display, as its design
// places it.
CalibrationWindow* newCalibrationMassWindow(Printer& printer, PrintDialogs& printDialogs);
