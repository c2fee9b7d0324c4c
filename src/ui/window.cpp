// The window model base and the log view.
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

void Window::Adopt(std::initializer_list<Control*> controls) {
  controls_.insert(controls_.end(), controls.begin(), controls.end());
}

}  // namespace veltrane
