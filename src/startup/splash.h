// The splash window's start-up sequence and the main window's start-up handlers.
#pragma once

namespace veltrane {

class App;

namespace frmSplash {

// Enables the one-second timer that starts the sequence (not once the sequence has begun).
void Form_Paint(App& app);
// The start-up sequence: ignore list, definitions, then the splash closes and the main window is
// loaded and shown. Runs once, however many paints and ticks arrive.
void Timer1_Timer(App& app);
// Closes the splash; before the sequence has begun this ends the program.
void Form_KeyPress(App& app);

}  // namespace frmSplash

namespace frmMain {

// Shows the start screen, the stored start-up choice in the settings dialog and the protection count.
void Form_Load(App& app);
// Ends the program, the hidden settings dialog with it.
void Form_Unload(App& app);

}  // namespace frmMain

}  // namespace veltrane
