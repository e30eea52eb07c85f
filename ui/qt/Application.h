#pragma once

class QApplication;

namespace velmarith {

inline constexpr const char* kProductName = "Velmarith 1.0";
inline constexpr const char* kProductVersion = "1.00";

// Name, version, icon and the window font, shared by the program and its tests.
void SetUpApplication(QApplication& application);

}  // namespace velmarith
