// The error report: a failure inside a procedure shows "number:description" titled with the procedure's
// name, and the procedure's caller goes on.
#pragma once

#include <new>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "base/errors.h"
#include "platform/dialogs.h"

namespace veltrane {

class App;

// Shows the message box of the error report through the dialogs service.
void ShowErrorReport(IDialogs& dialogs, std::string_view procedure, int number, std::string_view description);

// Runs body as the procedure named; a RuntimeError (or an exhausted memory) ends it with the error
// report. Returns true when the body ran to its end.
template <class Body>
bool Guarded(IDialogs& dialogs, std::string_view procedure, Body&& body) {
  try {
    std::forward<Body>(body)();
    return true;
  } catch (const RuntimeError& error) {
    ShowErrorReport(dialogs, procedure, error.Number(), error.Description());
  } catch (const std::bad_alloc&) {
    ShowErrorReport(dialogs, procedure, kErrOutOfMemory, ErrorDescription(kErrOutOfMemory));
  } catch (const std::length_error&) {
    ShowErrorReport(dialogs, procedure, kErrOutOfMemory, ErrorDescription(kErrOutOfMemory));
  }
  return false;
}

// A message box with the application title as caption.
MsgAnswer ShowMessage(App& app, std::string_view text, MsgButtons buttons, MsgIcon icon);

}  // namespace veltrane
