#include "sim/sim_options.h"

#include "clock/clock_text.h"

#include <CLI/CLI.hpp>
#include <ctime>
#include <filesystem>

namespace skarnel::sim {

void AddSimOptions(CLI::App& app, SimOptions& options)
{
    ProductSettings& product = options.state.product;
    VersionAddresses& addresses = options.state.addresses;
    app.add_option("--app-product-code", product.appProductCode, "Application product code");
    app.add_option("--app-version", product.appVersion, "Application version");
    app.add_option("--boot-product-code", product.bootProductCode, "Boot loader product code");
    app.add_option("--boot-version", product.bootVersion, "Boot loader version");
    app.add_option("--memory-version", product.memoryVersion, "Model memory layout version");
    app.add_option("--product-name", product.productName, "Product name (16 characters at most)");
    app.add_option("--buyer", product.buyer, "Buyer (16 characters at most)");
    app.add_option("--display-type", product.displayType, "0: 21-column display, 1: 40-column display")
        ->check(CLI::Range(0, 1));
    app.add_option("--app-product-code-address", addresses.appProductCode);
    app.add_option("--app-version-address", addresses.appVersion);
    app.add_option("--boot-product-code-address", addresses.bootProductCode);
    app.add_option("--boot-version-address", addresses.bootVersion);
    app.add_option("--memory-version-address", addresses.memoryVersion);
    app.add_option("--restart-delay-ms", options.state.restartDelayMs,
                   "Time from a restart request to the boot-up frame");
    app.add_option("--boot-loader-idle-ms", options.state.bootLoaderIdleMs,
                   "Time the boot loader waits for a download start before it starts the application");
    app.add_option("--clock", options.clock, "Initial controller time \"YYYY-MM-DD HH:MM:SS\" (default: PC time)");
    app.add_option("--clock-weekday", options.clockWeekday, "Weekday of --clock, 0 = Sunday")->check(CLI::Range(0, 6));
    app.add_flag("--summer-time", options.summerTime, "Summer-time flag of the initial clock");
    app.add_option("--fault", options.faults,
                   "Inject a fault: kind[=amount][,group=G][,code=C][,at=N][,count=M]; kinds no-reply, truncate, "
                   "bad-crc, bad-start, busy, nak, delay (ms), stray (bytes), and for every reply unless counted: "
                   "split (the second half after amount us), packets (of amount bytes), trickle");
    app.add_option("--random-faults", options.randomFaults,
                   "SEED:PROBABILITY of a random fault per request, or SEED:split to split every reply at a random "
                   "point (default: $" +
                       std::string(kRandomFaultsVariable) + ")");
    app.add_flag("--wire-speed", options.wireSpeed, "Pace bytes as a 115200 baud cable with a USB bridge does");
    app.add_flag("--show-display", options.showDisplay, "Print the controller's display lines as they change");
    app.add_option("--link", options.linkPath, "Make a symbolic link to the PTY at this path");
    app.add_option("--app-start-delay-ms", options.state.firmware.applicationStartDelayMs,
                   "Time from a complete application image to the application running");
    app.add_option("--received-images", options.receivedImagesFolder,
                   "Write each complete firmware image, descrambled, into this folder")
        ->check(CLI::ExistingDirectory);
    app.add_option("--state-dir", options.stateDir,
                   "Keep the controller's model and voice flash in this folder between runs");
    app.add_option("--sd-dir", options.sdDir, "Serve this folder as the SD card (changes are written into it)")
        ->check(CLI::ExistingDirectory);
    VoiceFlash& voice = options.state.voiceFlash;
    app.add_option("--voice-flash-size", voice.flashSize, "Size of the voice flash in bytes (default 0x190000)")
        ->check(CLI::Range(0x4000u, 0x8000000u));
    app.add_option("--voice-sector-size", voice.sectorSize, "Erase sector size of the voice flash")
        ->check(CLI::Range(1u, 0x100000u));
    app.add_option("--voice-data-version", voice.voiceDataVersion, "Voice data version the firmware expects");
    app.add_option("--voice-erase-step-ms", voice.eraseStepMs, "Time the voice flash takes to erase one sector")
        ->check(CLI::Range(int64_t{1}, int64_t{60'000}));
}

bool BuildFaultPlan(const SimOptions& options, FaultPlan& plan, std::string& error)
{
    for (const std::string& text : options.faults) {
        const std::optional<FaultRule> rule = ParseFaultRule(text, error);
        if (!rule)
            return false;
        plan.Add(*rule);
    }
    const std::string random = options.randomFaults.empty() ? RandomFaultsFromEnvironment() : options.randomFaults;
    return random.empty() || ParseRandomFaults(random, plan, error);
}

bool PrepareStateDir(SimOptions& options, std::string& error)
{
    std::error_code failure;
    std::filesystem::create_directories(options.stateDir, failure);
    if (failure) {
        error = "cannot create " + options.stateDir + ": " + failure.message();
        return false;
    }
    options.state.modelMemory.stateFile = std::filesystem::path(options.stateDir) / kModelFlashFileName;
    options.state.voiceFlash.stateFile = std::filesystem::path(options.stateDir) / kVoiceFlashFileName;
    return LoadModelMemory(options.state.modelMemory, error) && LoadVoiceFlash(options.state.voiceFlash, error);
}

std::optional<ClockRecord> InitialClock(const SimOptions& options, std::string& error)
{
    if (options.clock.empty()) {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return ClockRecord::FromLocalTime(local, options.summerTime);
    }
    std::optional<ClockRecord> record = ParseClockText(options.clock, options.clockWeekday, options.summerTime);
    if (!record)
        error = "bad --clock '" + options.clock + "', expected \"YYYY-MM-DD HH:MM:SS\"";
    return record;
}

}  // namespace skarnel::sim
