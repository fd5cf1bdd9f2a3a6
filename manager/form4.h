#pragma once
namespace nemba::manager {
class Form4 {};
}
