// Ferry's icon from the program's resources, in the sizes a window class
// takes; the system's application icon where the program has none.
#pragma once

#include <windows.h>

namespace ferry::win32 {

// The icon for the caption and the task bar (SM_CXICON) ...
HICON LargeIcon();
// ... and the small one (SM_CXSMICON).
HICON SmallIcon();

}  // namespace ferry::win32
