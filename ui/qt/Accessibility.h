#pragma once

namespace velmarith {

// Makes the print area and the material list readable and operable by assistive
// technology (AT-SPI on Linux, UI Automation on Windows). Call once after QApplication exists.
void InstallAccessibility();

}  // namespace velmarith
