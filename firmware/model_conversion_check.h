#pragma once

#include <string>

namespace skarnel {

class CDownload_Function;

// Whether the upgrade file's application may go in, and whether the models must be saved
// first: true with backupRequested when the new firmware raises the memory version and the
// conversion tables know both layouts; true without it when the layout stays, or when the
// user agrees to lose the models. False after its failure text (or the user's No).
bool CheckModelConversion(CDownload_Function& link, const std::string& firmwarePath, bool& backupRequested);

}  // namespace skarnel
