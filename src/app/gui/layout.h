// The kinds of real control a model control is shown by, and where each sits; plain data, free of Windows.
#pragma once

namespace veltrane::gui {

enum class Kind {
  kFrame,
  kGroup,
  kLabel,
  kHeading,
  kButton,
  kTwin,  // a command button kept out of sight: a real button that Tab passes over
  kPicture,
  kCheck,
  kText,
  kTimer,
  kTab,
  kCombo,
  kList,
  kLog
};

// Where a control sits: its parent (empty: the form itself) and its rectangle in the parent.
struct Placement {
  const char* name;
  Kind kind;
  const char* parent;
  int x, y, width, height;
};

}  // namespace veltrane::gui
