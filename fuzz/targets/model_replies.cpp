// The controller's model data replies (product information, data schema, model list, model
// records) as both backups read them and turn them into files and list rows.
// Input: the reply script, given to each backup on its own controller.
#include "fuzz/sessions/sessions.h"

using namespace skarnel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::RunScripted(fuzz::kModelFilesSession, data, size);
    fuzz::RunScripted(fuzz::kMenuBackupSession, data, size);
    return 0;
}
