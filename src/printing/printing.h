#pragma once

class Printer;
class PrintDialogs;
class PrinterSystem;
struct PrintedPage;

// What the windows that print share: the program's one printer, the dialogs that
// ask the user, the printer system the pages go to, and the page for the printer.
struct Printing {
    Printer& printer;
    PrintDialogs& dialogs;
    PrinterSystem& system;
    PrintedPage& page;
};
