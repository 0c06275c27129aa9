// The exception boundary of event handlers. A handler wrapped in Guard
// never lets a failure reach the framework: given a failure text, it
// reports a failure in an "Information" box with that text and the
// failure's reason; without one, every failure is silent (the handler's
// owner recovers in its own way, or the control stays as it was).
#pragma once

#include <exception>
#include <utility>

namespace fw {

// Shows failure_text, and on a line of its own the reason when there is
// one, in an "Information" box with one OK button; nothing without a
// failure text. A box that cannot be shown ends the report there.
void ReportFailure(const char* failure_text, const char* reason) noexcept;

// Wraps a handler so that every failure in it ends at ReportFailure.
template <typename F>
auto Guard(F f, const char* failure_text = nullptr) {
  return [f = std::move(f), failure_text](auto&&... args) {
    try {
      f(std::forward<decltype(args)>(args)...);
    } catch (const std::exception& e) {
      ReportFailure(failure_text, e.what());
    } catch (...) {
      ReportFailure(failure_text, nullptr);
    }
  };
}

}  // namespace fw
