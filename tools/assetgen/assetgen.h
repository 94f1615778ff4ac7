// The asset builder: writes the whole asset tree (XFile/, bitmap/, Wave/, Mid/) from code,
// deterministically. Each part returns false (after saying why on stderr) when it failed.
#pragma once

#include <string>

namespace assetgen {

bool BuildMeshes(const std::string& root);    // XFile/
bool BuildPictures(const std::string& root);  // bitmap/
bool BuildSounds(const std::string& root);    // Wave/
bool BuildMusic(const std::string& root);     // Mid/

}  // namespace assetgen
