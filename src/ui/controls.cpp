// Setters of the control models: each change is passed to the observer.
#include "ui/controls.h"

namespace veltrane {

void Control::SetCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  Notify(Change::kCaption);
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Notify(Change::kVisible);
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Notify(Change::kEnabled);
}

void Picture::SetPictureFile(std::string file) {
  picture_ = std::move(file);
  Notify(Change::kValue);
}

void CheckBox::SetValue(int value) {
  if (value_ == value) return;
  value_ = value;
  Notify(Change::kValue);
}

void TextBox::SetSelection(size_t start, size_t length) {
  selStart_ = start;
  selLength_ = length;
  Notify(Change::kValue);
}

void Timer::SetInterval(uint32_t interval) {
  interval_ = interval;
  Notify(Change::kValue);
}

void TabStrip::Select(int index) {
  selected_ = index;
  Notify(Change::kValue);
}

}  // namespace veltrane
