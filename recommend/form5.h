#pragma once
namespace nemba::recommend {
class Form5 {};
}
