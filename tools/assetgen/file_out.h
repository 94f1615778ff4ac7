// Files and folders of the asset tree. Each returns false after saying why on stderr.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace assetgen {

// The folder and any missing parents.
bool MakeFolder(const std::filesystem::path& dir);

// The whole file, replaced.
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace assetgen
