#pragma once

class QApplication;

namespace velmarith {

// Name, version, icon and the window font, shared by the program and its tests.
void SetUpApplication(QApplication& application);

}  // namespace velmarith
