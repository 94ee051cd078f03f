// The WAV file chooser of the Utilities tab: drive, folder and file lists and the name box.
#include "app/form1.h"

namespace brelvo::app {

void Form1::Drive1_Change() {
    // A drive chosen: move the folder list to it.
}

void Form1::tview_Change() {
    // A folder opened: show its WAV files.
}

void Form1::tview_Click() {
    // A folder selected: show its WAV files.
}

void Form1::File1_Click() {
    // A WAV file chosen: put its name into Text13.
}

}  // namespace brelvo::app
