// A plain top-level window for tests of single controls.
#pragma once

#include "common/win/window.h"

namespace nemba::test {

class HostWindow : public win::Window {
 public:
  HostWindow() {
    ClassOptions cls{L"Nemba.Test.Host"};
    Create(cls, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, L"host", RECT{0, 0, 640, 480}, nullptr, nullptr);
  }
  ~HostWindow() override { DestroyNow(); }
};

}  // namespace nemba::test
