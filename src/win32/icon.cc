#include "win32/icon.h"

#include "win32/resources.h"

namespace ferry::win32 {

namespace {

HICON LoadFerryIcon(int width_metric, int height_metric) {
  // Shared: the system keeps the icon for the life of the program.
  auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_FERRY),
                                            IMAGE_ICON, GetSystemMetrics(width_metric),
                                            GetSystemMetrics(height_metric), LR_SHARED));
  return icon != nullptr ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

}  // namespace

HICON LargeIcon() {
  return LoadFerryIcon(SM_CXICON, SM_CYICON);
}

HICON SmallIcon() {
  return LoadFerryIcon(SM_CXSMICON, SM_CYSMICON);
}

}  // namespace ferry::win32
