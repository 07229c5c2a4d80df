#pragma once

#include "fuzz/support/reply_script.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace skarnel {
class CDownload_Function;
}

namespace skarnel::fuzz {

// What a reply target runs against its controller: a procedure of the system and the
// commands it sends. The seed generator runs the same procedure against the simulator's real
// commands to record the target's seed scripts.
struct Session {
    std::span<const ScriptedCommand> commands;
    void (*run)(CDownload_Function& link);
};

// The plain exchange patterns and the flash block reads and writes.
extern const Session kFrameSession;
// Product information, version addresses and clock, as they are read and shown.
extern const Session kProductInfoSession;
// The model data backups: one .mdl file per used model, and the whole menu into a .mif file.
extern const Session kModelFilesSession;
extern const Session kMenuBackupSession;
// The sensor type, the RF level table, the receiver and the four sensor records.
extern const Session kTelemetrySession;
// The SD card view's start, the root listing with its file sizes, and the copy of its files.
extern const Session kCardSession;
// The File Backup job of the voice flash.
extern const Session kVoiceBackupSession;

// Runs the session on a fresh simulated controller that answers from the reply script.
void RunScripted(const Session& session, const uint8_t* script, size_t size);

}  // namespace skarnel::fuzz
