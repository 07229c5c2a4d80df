#pragma once

#include "link/product_info.h"
#include "link/request_history.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace skarnel {

class Clock;
class CRS232;
class StopRequest;
class Reporter;
struct ClockRecord;
enum class ImageKind : int;
struct DataSchema;
struct MenuFileHeader;
struct ModelList;
struct ReceiverData;
struct DbmScan;
struct GeneralData;
struct ElectricData;
struct VarioData;
struct GpsData;
struct VoiceFileInfo;
struct VoiceFlashInfo;

// Command groups: byte 5 of a request.
enum CommandGroup : int {
    kGroupApplication = 0,
    kGroupBootLoader = 1,
    kGroupVoiceFlash = 2,
    kGroupSdLogging = 3,
    kGroupRfProcess = 4,
    kGroupModelData = 5,
    kGroupSdFiles = 6,
    kGroupStBootLoader = 8,
};

// The protocol object of one job: frames, waits, retry patterns and every controller command.
// Each command returns true (1) on success and false (0) on failure; what went wrong reaches
// ownerWindow as log lines and failed exchanges.
class CDownload_Function {
public:
    // An object bound to nothing: every command shows "Unconnected".
    CDownload_Function() = default;
    // The protocol object of a job on that connection, reporting to that window.
    CDownload_Function(CRS232& connection, Reporter& window) : port(&connection), ownerWindow(&window) {}
    virtual ~CDownload_Function();

    CRS232* port = nullptr;
    Reporter* ownerWindow = nullptr;
    // The group of the commands that send the current one; only a GroupScope changes it.
    int groupId = kGroupApplication;
    int progressStep = 0;
    uint32_t sequenceNumber = 1;

    uint8_t CurrentGroup() const { return static_cast<uint8_t>(groupId); }

    // Frames and waits.
    size_t SendFrame(uint16_t length, const uint8_t* payload, uint8_t group, uint8_t code);
    bool CheckFrame(const uint8_t* bytes, size_t length);
    bool WaitAck();
    bool WaitAckCode(int& replyCode);
    bool WaitReply();
    bool WaitReplyCount(size_t count);
    static uint16_t ComputeCrc16(const uint8_t* bytes, size_t count);

    // Exchange patterns. Each pauses pauseMs after every failed attempt.
    bool AcknowledgedCommand(uint8_t group, uint8_t code, const uint8_t* payload, uint16_t length, int attempts = 3,
                             int pauseMs = 100);
    // On success the reply stands in the port's receive buffer; ReplyPayload() points into it.
    bool QueryCommand(uint8_t group, uint8_t code, const uint8_t* payload, uint16_t length, int attempts = 3,
                      int pauseMs = 100);
    bool SingleCommand(uint8_t group, uint8_t code, const uint8_t* payload, uint16_t length);
    bool UnansweredCommand(uint8_t group, uint8_t code, const uint8_t* payload, uint16_t length, int pauseMs);
    // Takes the reply that has begun to arrive, once it is whole (see AwaitWholeFrame), into the
    // port's receive buffer and checks it; the reply code, or -1 when nothing waits or the reply
    // is short or broken. received, when given, is set to the number of bytes read. A reply
    // taken this way always holds every byte of its payload.
    int ReadWaitingReply(size_t* received = nullptr, std::optional<int64_t> completeByMs = std::nullopt);
    // Waits while the frame at the front of the input is still coming in pieces: until every
    // byte its length field promises waits, the line has been quiet for 20 ms, or the
    // clock reaches completeByMs. The number of bytes to take as the reply: the frame's size
    // when it is whole; all that waits when those bytes cannot start a frame (the frame check
    // says why); 0 when the frame stopped short or less than a frame came.
    size_t AwaitWholeFrame(std::optional<int64_t> completeByMs = std::nullopt);
    const uint8_t* ReplyPayload() const;
    uint16_t ReplyPayloadLength() const;
    // Whether the reply just taken carries at least `count` payload bytes; a shorter one must
    // fail its command rather than be decoded from the buffer behind it.
    bool ReplyCarries(size_t count) const { return ReplyPayloadLength() >= count; }
    // The first N payload bytes of the reply just taken, once ReplyCarries(N) has said they came.
    template <size_t N> std::span<const uint8_t, N> ReplyRecord() const
    {
        return std::span<const uint8_t, N>(ReplyPayload(), N);
    }
    // Copies the payload of the reply just taken into buffer when it carries no more than limit
    // bytes; false, and nothing copied, otherwise.
    bool CopyReplyPayload(uint32_t limit, uint8_t* buffer, uint16_t& length) const;

    // The connection check every command starts with; shows "Unconnected" when it fails.
    bool CheckConnected();
    Reporter& Window() const;
    Clock& GetClock() const;
    void Sleep(int milliseconds) const;

    // Common commands.
    bool ReadProductInfo(ProductInfo& info);
    bool ReadVersionAddressInfo(VersionAddressInfo& info);
    bool SendFileInformation(uint32_t valueA, uint32_t valueB, const std::string& name, const std::string& memory);
    bool SendDataBlock(const uint8_t* payload, uint16_t length);
    bool EraseApplicationArea();
    bool RequestRestart();
    bool SendLcdLine(int line, const std::string& text);
    bool DisplayClear();
    bool DisplayControlOn();
    bool DisplayControlOff();
    bool PauseRfProcess();
    bool PauseRfProcessOnce();
    bool ShowModelDataBanner(bool read);

    // Firmware download (firmware/download_commands.cpp).
    bool WaitBootupFrame();
    bool SendDownloadStart();
    // The file information of an image: its size and the upgrade file's name without folder.
    bool SendImageFileInformation(uint32_t imageSize, const std::string& upgradeFilePath);
    bool DownloadImage(uint32_t size, const uint8_t* image, ImageKind kind, int displayType);
    // The "Firmware Download" banner for the display type; the lines' results are ignored.
    bool ShowFirmwareBanner(int displayType);

    // Controller time.
    bool WriteClock(const ClockRecord& record);
    bool ReadClock(ClockRecord& record);

    // Model data (group 5): the schema, the flash in blocks of 2048 bytes, the sectioned writers.
    bool ReadDataSchema(DataSchema& schema);
    bool ReadFlashBlock(uint32_t address, uint32_t size, uint8_t* buffer, uint32_t& length);
    bool ReadFlashData(uint32_t address, uint32_t size, uint8_t* buffer);
    bool WriteFlashBlock(const uint8_t* payload, uint16_t length);
    bool WriteFlashData(uint32_t address, uint32_t size, const uint8_t* data);
    bool WriteCommonSet(const DataSchema& source, const DataSchema& destination, const uint8_t* block);
    bool WriteModelRecord(const DataSchema& source, const DataSchema& destination, uint32_t address,
                          const uint8_t* record, int index);
    bool BuildFileHeader(MenuFileHeader& header);
    bool ReadModelList(uint32_t address, uint32_t size, int modelCount, ModelList& list);

    // SD card (group 3 for the log stop, group 6 for the files; sdcard/sd_commands.cpp). A
    // failing reply hands its file-system result code back in `result`; nothing else touches it.
    bool SdLogStop();
    bool SdInit();
    bool SdDiskSpace(uint32_t& totalKbyte, uint32_t& freeKbyte);
    bool SdOpenDirectory(const std::string& path, uint8_t& result);
    bool SdNextEntry(std::string& entry, uint8_t& result);
    bool SdFileStatus(const std::string& path, uint32_t& size, uint8_t& result);
    bool SdFileOpen(const std::string& path, uint8_t mode, uint8_t& result);
    bool SdFileClose(uint8_t& result);
    bool SdFileRead(uint16_t size, uint8_t* buffer, uint16_t& length, uint8_t& result);
    bool SdFileWrite(const uint8_t* data, uint16_t count, uint32_t& written, uint8_t& result);
    bool SdMakeFolder(const std::string& path, uint8_t& result);
    bool SdDelete(const std::string& path, uint8_t& result);
    // Live telemetry (group 4, telemetry/telemetry_commands.cpp): three attempts 300 ms apart,
    // no message of their own. A sensor record whose module is absent is left untouched.
    bool ReadSensorType(int& sensorType);
    bool ReadDbmScan(DbmScan& scan);
    bool ReadReceiverData(ReceiverData& record);
    bool ReadGeneralData(GeneralData& record);
    bool ReadElectricData(ElectricData& record);
    bool ReadVarioData(VarioData& record);
    bool ReadGpsData(GpsData& record);
    // Voice flash (group 2, voice/voice_flash_commands.cpp, voice/voice_transfer_commands.cpp).
    bool ReadVoiceFlashInfo(VoiceFlashInfo& info);
    // Erases the voice flash; the controller answers busy once a sector, then acknowledges.
    bool InitVoiceFlash(int sectorCount);
    // Writes an area in chunks of 2048 bytes; kind 1 is the info area, else the data area.
    bool WriteVoiceArea(const uint8_t* source, uint32_t start, uint32_t size, const std::string& name,
                        const StopRequest& stop, int kind);
    bool ReadVoiceFileInfo(int index, VoiceFileInfo& info);
    // Reads up to 2048 bytes; buffer holds at least that many.
    bool ReadVoiceData(uint16_t& received, uint8_t* buffer, uint32_t address, uint32_t length);
    // Reads one stored sound into an .apm file.
    bool BackupVoiceFile(uint32_t size, const std::filesystem::path& path, uint32_t start, uint32_t sampleRate,
                         const std::string& name, const StopRequest& stop);
    bool PlayVoiceFile(int index);

private:
    void ReportFailedExchange(uint32_t value, int replyCode);
    size_t PollForInput(size_t count, int64_t limitMs);
    static constexpr int kLateReply = -2;
    int TakeReply(size_t size, size_t* received);
    bool FinishAckWait(bool reportOtherCodes, int& replyCode);

    RequestHistory requests_;
};

// Sets the group of the current-group commands for a procedure and puts the caller's back when
// the procedure ends, so that no procedure leaves the protocol object in another group.
class GroupScope {
public:
    GroupScope(CDownload_Function& link, int group) : link_(link), callers_(link.groupId) { link.groupId = group; }
    ~GroupScope() { link_.groupId = callers_; }
    GroupScope(const GroupScope&) = delete;
    GroupScope& operator=(const GroupScope&) = delete;

    // For procedures whose steps talk to different parts of the controller in turn.
    void Change(int group) { link_.groupId = group; }

private:
    CDownload_Function& link_;
    int callers_;
};

}  // namespace skarnel
