// Compiled only by the test below it in the build: a library of the plain sheet
// core that includes a header of a folder above it, which must not compile.
#include FLOWCAL_WRONG_INCLUDE
