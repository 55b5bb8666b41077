#pragma once

class Printer;

// The five lines every report begins with: the maker's name in 14 pt bold italic,
// its street, city and telephone lines in 14 pt bold, and a blank 14 pt line. The
// font is left at 14 pt, neither bold nor italic.
void printLetterhead(Printer& printer);
