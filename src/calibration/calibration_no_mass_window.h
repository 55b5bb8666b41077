#pragma once

class CalibrationWindow;
struct Printing;
class Printer;

// The calibration worksheet for a dispenser whose display shows gallon equivalents,
// as its design places it.
CalibrationWindow* newCalibrationNoMassWindow(Printing& printing);
