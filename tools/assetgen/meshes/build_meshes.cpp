// Placeholder until this part of the builder lands: builds nothing yet.
#include "assetgen.h"

namespace assetgen {

bool BuildMeshes(const std::string& root) { return true; }

}  // namespace assetgen
