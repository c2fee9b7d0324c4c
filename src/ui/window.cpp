// The window model base, the controls that list themselves on it, and the log view.
#include "ui/window.h"

namespace veltrane {

void RichText::Clear() {
  text_.clear();
  Notify(Change::kCaption);
}

void RichText::Append(std::string_view text) {
  text_.append(text);
  Notify(Change::kCaption);
}

Control* Window::Find(std::string_view name) const {
  for (Control* control : controls_) {
    if (control->Name() == name) return control;
  }
  return nullptr;
}

void Window::Observe(ModelObserver* observer) {
  SetObserver(observer);
  for (Control* control : controls_) control->SetObserver(observer);
}

Control::Control(Window& window, std::string name, std::string caption)
    : Control(std::move(name), std::move(caption)) {
  window.controls_.push_back(this);
}

}  // namespace veltrane
