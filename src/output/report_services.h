#pragma once

class Job;
class PrintDialogs;
class PrinterSystem;

// What the windows that print share: the dialogs that ask the user, the printer
// system the pages go to, and the job the reports are printed for.
struct ReportServices {
    PrintDialogs& dialogs;
    PrinterSystem& system;
    Job& job;
};
