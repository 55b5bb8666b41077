#pragma once

class CalibrationWindow;
struct Printing;
class Printer;

// The calibration worksheet for a dispenser with a mass display, as its design
// places it.
CalibrationWindow* newCalibrationMassWindow(Printing& printing);
