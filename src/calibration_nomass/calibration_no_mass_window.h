#pragma once

class CalibrationWindow;
class PrintDialogs;
class Printer;

// The calibration worksheet for a dispenser whose display shows gallon equivalents,
// as its design places it.
CalibrationWindow* newCalibrationNoMassWindow(Printer& printer, PrintDialogs& printDialogs);
