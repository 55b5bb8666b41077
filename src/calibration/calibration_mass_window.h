#pragma once

class CalibrationWindow;
struct ReportServices;
class Printer;

// The calibration worksheet for a dispenser with a mass display, as its design
// places it.
CalibrationWindow* newCalibrationMassWindow(ReportServices& services);
