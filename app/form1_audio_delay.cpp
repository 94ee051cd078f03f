// The audio delay controls of the Synchronize Audio tab.
#include "app/form1.h"

namespace brelvo::app {

void Form1::Command11_Click() {
    // Apply: write the delay into the audio dwStart and mark the movie altered.
}

void Form1::Command14_Click() {
    // Jink Audio: lead to the jink option of the Utilities tab.
}

void Form1::HScroll2_Change() {
    // The delay bar moved: show the delay it stands for in Label19.
}

void Form1::frdelay_Click() {
    // Adjust Frame Delay: write the delay into the audio dwStart.
}

void Form1::Check1_Click() {
    // The jink option changed.
}

}  // namespace brelvo::app
