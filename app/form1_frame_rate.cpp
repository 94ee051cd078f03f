// The frame rate and audio stretch controls of the Synchronize Audio tab.
#include "app/form1.h"

namespace brelvo::app {

void Form1::Command4_Click() {
    // Apply: write the frame rate shown into dwRate and dwMicroSecPerFrame.
}

void Form1::Command5_Click() {
    // -1 Frame: one frame per second less.
}

void Form1::Command6_Click() {
    // -0.001: a thousandth of a frame per second less.
}

void Form1::Command7_Click() {
    // +0.001: a thousandth of a frame per second more.
}

void Form1::Command8_Click() {
    // +1 Frame: one frame per second more.
}

void Form1::Command9_Click() {
    // Enter Desired Frame Rate: ask for a rate and write it.
}

void Form1::Command10_Click() {
    // Reset: back to the rate the movie was loaded with.
}

void Form1::HScroll1_Change() {
    // The stretch bar moved: recompute the rate and the stretch captions.
}

void Form1::Text1_Change() {
    // The frame rate box changed: recompute the stretch caption.
}

void Form1::Text11_Change() {
    // The audio length box changed: recompute the stretch caption.
}

}  // namespace brelvo::app
