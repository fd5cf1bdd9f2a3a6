// The tools and help menus of the main window, and the windows they open.
#include "manager/form1.h"
#include "manager/form4.h"
#include "recommend/form5.h"

namespace nemba::manager {

Form1::Form1(Form1Options options) : options_(std::move(options)) {}

Form1::~Form1() { DestroyNow(); }

void Form1::WireToolsAndHelpMenus() {}

}  // namespace nemba::manager
