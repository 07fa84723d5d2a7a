// Pointer moves switch the live view's timer: off on the mode and help buttons, so the picture
// holds still while the user reaches for them; on over the background and the read-out.
#include "app/form1.h"
#include "modes/mode_captions.h"

void Form1::Command1_MouseMove(const forms::MouseArgs& /*args*/) { Timer1.setEnabled(false); }
void Form1::Command2_MouseMove(const forms::MouseArgs& /*args*/) { Timer1.setEnabled(false); }
void Form1::Command3_MouseMove(const forms::MouseArgs& /*args*/) { Timer1.setEnabled(false); }
void Form1::Form_MouseMove(const forms::MouseArgs& /*args*/) { Timer1.setEnabled(true); }
void Form1::Label1_MouseMove(const forms::MouseArgs& /*args*/) { Timer1.setEnabled(true); }

void Form1::Picture1_MouseMove(const forms::MouseArgs& /*args*/) {
  if (Command1.Caption() == mode_captions::kRunning) Timer1.setEnabled(true);
}
