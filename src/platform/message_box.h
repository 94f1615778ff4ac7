// A blocking error dialog (when a display is there) and the same text on stderr.
#pragma once

namespace plat {

void ShowErrorMessage(const char* text, const char* caption);

}  // namespace plat
