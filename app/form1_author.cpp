// The Author Details tab: the INFO items and the display name rewritten in place.
#include "app/form1.h"

namespace brelvo::app {

void Form1::Command2_Click() {
    // Apply: write every author box into its item, padded to the item's size.
}

}  // namespace brelvo::app
