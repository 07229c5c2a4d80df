// The voice flash replies (flash information, voice file information records, sound data)
// as the File Backup job reads them: the file list, then every sound into an .apm file named
// after its record. Input: the reply script.
#include "fuzz/sessions/sessions.h"

using namespace skarnel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::RunScripted(fuzz::kVoiceBackupSession, data, size);
    return 0;
}
