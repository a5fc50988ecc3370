// The one failure type that skip-and-continue steps swallow.
//
// Platform calls and model operations that the program treats as "a step that
// fails" (a refused file call, a list index out of range, a tree key that is
// taken) throw core::Error with a Win32-style error number. Programming
// mistakes use other exception types and are never swallowed.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace core {

class Error : public std::runtime_error {
 public:
  explicit Error(uint32_t code, const std::string& what = "operation failed")
      : std::runtime_error(what), code_(code) {}
  uint32_t code() const { return code_; }

 private:
  uint32_t code_;
};

// Error numbers of the model's own failures (the basic runtime's numbers).
namespace fail {
constexpr uint32_t InvalidCall = 5;
constexpr uint32_t InvalidValue = 380;
constexpr uint32_t DeviceUnavailable = 68;
constexpr uint32_t PathNotFound = 76;
constexpr uint32_t KeyNotUnique = 35602;
constexpr uint32_t NoSuchElement = 35601;
}  // namespace fail

// Runs one step of a skip-and-continue sequence: a failure is swallowed and
// reported as false; anything else propagates.
template <class Step>
bool attempt(Step&& step) {
  try {
    step();
    return true;
  } catch (const Error&) {
    return false;
  }
}

}  // namespace core
