#pragma once

class CalibrationWindow;
struct ReportServices;
class Printer;

// The calibration worksheet for a dispenser whose display shows gallon equivalents,
// as its design places it.
CalibrationWindow* newCalibrationNoMassWindow(ReportServices& services);
