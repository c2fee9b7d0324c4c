// Plain-data models of window controls; a front end mirrors them through a ModelObserver.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {

class Control;
class Window;

enum class Change {
  kCaption,  // caption or text
  kVisible,
  kEnabled,
  kValue,  // check-box value, tab index, selection, picture, timer interval
  kColumns,
  kRowAdded,
  kRowRemoved,
  kRowChanged,
  kRowsCleared,
};

// Told of every change to a model, so that a front end can update the real control.
class ModelObserver {
 public:
  virtual ~ModelObserver() = default;
  virtual void OnChanged(const Control& control, Change change, size_t index) = 0;
};

class Control {
 public:
  explicit Control(std::string name, std::string caption = {})
      : name_(std::move(name)), caption_(std::move(caption)) {}
  // A control of a window (a member of its model): the window lists it, in the order of declaration, for
  // look-ups by name and for its observer, so that no separate list of its controls can fall out of step.
  Control(Window& window, std::string name, std::string caption = {});
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  void SetObserver(ModelObserver* observer) { observer_ = observer; }

 protected:
  void Notify(Change change, size_t index = 0) const {
    if (observer_ != nullptr) observer_->OnChanged(*this, change, index);
  }

 private:
  std::string name_;
  std::string caption_;
  bool visible_ = true;
  bool enabled_ = true;
  ModelObserver* observer_ = nullptr;
};

using Label = Control;
using Button = Control;
using Frame = Control;

// A picture button or decoration; picture is the file currently shown ("" for the design-time one).
class Picture : public Control {
 public:
  using Control::Control;
  const std::string& PictureFile() const { return picture_; }
  void SetPictureFile(std::string file);

 private:
  std::string picture_;
};

// A check box; value 0 is off and 1 is on, as the settings store holds them.
class CheckBox : public Control {
 public:
  using Control::Control;
  int Value() const { return value_; }
  void SetValue(int value);

 private:
  int value_ = 0;
};

// A text box; the caption is its text.
class TextBox : public Control {
 public:
  using Control::Control;
  size_t SelStart() const { return selStart_; }
  size_t SelLength() const { return selLength_; }
  void SetSelection(size_t start, size_t length);

 private:
  size_t selStart_ = 0;
  size_t selLength_ = 0;
};

// A window timer; the front end ticks it while it is enabled.
class Timer : public Control {
 public:
  using Control::Control;
  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t interval);

 private:
  uint32_t interval_ = 0;
};

// A tab strip or a drop-down list: captions and the selected index.
class TabStrip : public Control {
 public:
  TabStrip(std::string name, std::vector<std::string> tabs)
      : Control(std::move(name)), tabs_(std::move(tabs)) {}
  TabStrip(Window& window, std::string name, std::vector<std::string> tabs)
      : Control(window, std::move(name)), tabs_(std::move(tabs)) {}
  const std::vector<std::string>& Tabs() const { return tabs_; }
  int SelectedIndex() const { return selected_; }
  void Select(int index);

 private:
  std::vector<std::string> tabs_;
  int selected_ = 0;
};

using ComboBox = TabStrip;

}  // namespace veltrane
