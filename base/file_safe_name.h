#pragma once

#include <string>

namespace skarnel {

// A name read from the controller or a file, made fit to be part of a file name: path
// separators, control characters (C1 ones too, as UTF-8 writes them) and ".." become '_';
// everything else stays.
std::string FileSafeName(const std::string& name);

}  // namespace skarnel
