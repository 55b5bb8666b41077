#pragma once

// What the program sets up before its first window: its name, version and look.
void setUpApplication();
