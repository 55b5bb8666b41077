#pragma once

class Job;
class Printer;
class PrintDialogs;
class PrinterSystem;
struct PrintedPage;

// What the windows that print share: the program's one printer, the dialogs that
// ask the user, the printer system the pages go to, the page for the printer, and
// the job the reports are printed for.
struct Printing {
    Printer& printer;
    PrintDialogs& dialogs;
    PrinterSystem& system;
    PrintedPage& page;
    Job& job;
};
