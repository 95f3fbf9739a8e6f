#pragma once

namespace tessaro {

// The number of LibreOffice Writer windows on $DISPLAY, as xwininfo lists
// them; -1 when they cannot be counted (no xwininfo, or no display it reaches).
int officeWindows();

}  // namespace tessaro
