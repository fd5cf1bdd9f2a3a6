// A real main window of the manager in a fresh program folder, with the
// dialogs scripted, for the window tests of the manager.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "manager/form1.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/windows_fixture.h"

namespace nemba::test {

class ManagerTest : public ::testing::Test {
 protected:
  TempDir program;  // the program's folder, where LrcPath.ini lives
  ScriptedUi ui;
  std::unique_ptr<manager::Form1> form;

  manager::Form1& Start(std::wstring commandLine = L"") {
    form = std::make_unique<manager::Form1>(manager::Form1Options{program.path(), std::move(commandLine), false});
    EXPECT_TRUE(form->Open(SW_SHOWNORMAL));
    Pump();
    return *form;
  }
  std::vector<std::wstring> List1Items() const {
    std::vector<std::wstring> v;
    for (int i = 0; i < form->List1.Count(); ++i) v.push_back(form->List1.Item(i));
    return v;
  }
  std::vector<std::wstring> File1Items() const {
    std::vector<std::wstring> v;
    for (int i = 0; i < form->File1.Count(); ++i) v.push_back(form->File1.Item(i));
    return v;
  }
};

}  // namespace nemba::test
