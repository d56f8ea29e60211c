// The groups of end-to-end tests the driver runs.
#pragma once
void FlowTests();
void NoWininetTests();  // to be run with the Internet library unloadable
void WindowTests();
void KeyboardTests();
void HighDpiTests(int dpi);  // to be run in a prefix set to `dpi` pixels per inch
void AccessibilityTests();
void ResourceTests();
void PlantingTests();  // to be run with the DLLs loaded after start-up made native-first
void StressTests();
void InstalledTests();  // to be run once a package has installed the program
