#pragma once

#include <string>

namespace quillmere {

// The texts of res/catalogue/cores.json and materials.json, built into the program at build time
// (cmake/embed_text.cmake).
std::string builtInCoresText();
std::string builtInMaterialsText();

}  // namespace quillmere
