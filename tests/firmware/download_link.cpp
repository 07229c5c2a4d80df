#include "tests/firmware/download_link.h"

#include "link/download_function.h"
#include "sim/firmware_download.h"

namespace skarnel::test {

DownloadLink::DownloadLink(sim::ControllerState state) : SimulatedLink(std::move(state))
{
    sim::InstallFirmwareDownload(engine());
    engine().KeepRequestLog(true);
}

bool DownloadLink::EnterBootLoader()
{
    link.groupId = kGroupApplication;
    if (!link.RequestRestart())
        return false;
    link.groupId = kGroupBootLoader;
    return link.WaitBootupFrame() && link.SendDownloadStart();
}

bool DownloadLink::AnnounceApplication(uint32_t size)
{
    return EnterBootLoader() && link.SendImageFileInformation(size, "/home/user/fw/upgrade.bin");
}

std::vector<sim::Request> DownloadLink::Requests(uint8_t code) const
{
    std::vector<sim::Request> requests;
    for (const sim::Request& request : device->engine().RequestLog())
        if (request.code == code)
            requests.push_back(request);
    return requests;
}

std::vector<std::string> DownloadLink::ProgressTexts() const
{
    std::vector<std::string> texts;
    for (const RecordingReporter::Event& event : reporter.Events())
        if (event.kind == RecordingReporter::Event::Progress)
            texts.push_back(event.text);
    return texts;
}

}  // namespace skarnel::test
