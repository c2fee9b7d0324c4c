// The splash window frmSplash: a picture, the status label and the one-second start-up timer.
#pragma once

#include "ui/window.h"

namespace veltrane {

class SplashWindow : public Window {
 public:
  SplashWindow() : Window("frmSplash") {
    Timer1.SetInterval(1000);
    Timer1.SetEnabled(false);
    Timer1.SetVisible(false);
  }

  Picture imgSplash{*this, "imgSplash"};
  Label lblsplash{*this, "lblsplash", "Loading definitions list..."};
  Timer Timer1{*this, "Timer1"};
};

}  // namespace veltrane
