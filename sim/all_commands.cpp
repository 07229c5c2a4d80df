#include "sim/all_commands.h"

#include "sim/application_commands.h"
#include "sim/firmware_download.h"
#include "sim/model_data_commands.h"
#include "sim/sd_card_commands.h"
#include "sim/voice_flash_commands.h"

namespace skarnel::sim {

void InstallAllCommands(ControllerEngine& engine, SdCard& card, const TelemetrySettings& telemetry)
{
    InstallApplicationCommands(engine);
    InstallFirmwareDownload(engine);
    InstallModelDataCommands(engine);
    InstallSdCardCommands(engine, card);
    InstallTelemetryCommands(engine, telemetry);
    InstallVoiceFlashCommands(engine);
}

}  // namespace skarnel::sim
