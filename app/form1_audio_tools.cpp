// The audio tools of the Utilities tab: extracting the sound track and writing it back.
#include "app/form1.h"

namespace brelvo::app {

void Form1::Command12_Click() {
    // Extract Audio To Wave File: copy the sound track into the WAV file named in Text13.
}

void Form1::Command13_Click() {
    // Re-Integrate Audio: write the WAV file's samples over the movie's audio chunks.
}

}  // namespace brelvo::app
