#pragma once

class Printer;
class FlowRateSheet;
struct ReportJob;

// The flow-rate report: the letterhead, then the pulses per gallon, the density,
// the whole frequency and the rate, each field's text as it stands followed by its
// caption, on one page of 32 lines. Reads the fields and changes none. With the
// job's details filled in, they stand under the letterhead with the maximum flow.
void printFlowRateReport(const FlowRateSheet& sheet, const ReportJob& job, Printer& printer);
