#include "manager/module1.h"

#include "common/win/services.h"

namespace nemba::manager {

std::wstring BrowseFolder(const std::wstring& title) {
  // File-system folders only, an edit box, the new dialog style.
  return win::Ui().folders->Browse(nullptr, title, 0x51);
}

}  // namespace nemba::manager
