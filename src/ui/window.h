// A window model: its caption, visibility and the list of its controls, for observers and look-ups by name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"

namespace veltrane {

// The log view: a text that composition empties and appends to.
class RichText : public Control {
 public:
  using Control::Control;
  const std::string& Text() const { return text_; }
  void Clear();
  void Append(std::string_view text);

 private:
  std::string text_;
};

class Window : public Control {
 public:
  using Control::Control;
  const std::vector<Control*>& Controls() const { return controls_; }
  // The control of that name, or nullptr.
  Control* Find(std::string_view name) const;
  // Sets the observer of the window and of every control on it.
  void Observe(ModelObserver* observer);

 private:
  friend class Control;  // a control of the window adds itself as it is constructed
  std::vector<Control*> controls_;
};

}  // namespace veltrane
