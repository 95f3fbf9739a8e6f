#include "app/form1.h"

namespace tessaro {

// The folder tree supplies the selected folder's path.
std::wstring Form1::SelectedFolderPath() const { return {}; }

}  // namespace tessaro
