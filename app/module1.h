#pragma once

class Form1;

namespace Module1 {

// Shows the about card, cut to an ellipse, with the icon box; or hides both again.
void ToggleAboutCard(Form1& form);

}  // namespace Module1
