#pragma once

#include <cstdint>
#include <string>

namespace skarnel {

// Command codes of the SD card: group 3 for the log stop, group 6 for the file commands.
inline constexpr uint8_t kSdCodeLogStop = '0';
inline constexpr uint8_t kSdCodeDiskInit = '0';
inline constexpr uint8_t kSdCodeShowDrive = '3';
inline constexpr uint8_t kSdCodeFileOpen = '5';
inline constexpr uint8_t kSdCodeFileClose = '6';
inline constexpr uint8_t kSdCodeFileRead = '8';
inline constexpr uint8_t kSdCodeDelete = '9';
inline constexpr uint8_t kSdCodeFileWrite = ':';
inline constexpr uint8_t kSdCodeNextEntry = '<';
inline constexpr uint8_t kSdCodeDirectoryOpen = '=';
inline constexpr uint8_t kSdCodeMakeFolder = '>';
inline constexpr uint8_t kSdCodeFileStatus = '?';

// Access modes of a file open, as the card's file system knows them.
inline constexpr uint8_t kSdOpenRead = 0x01;
inline constexpr uint8_t kSdOpenWrite = 0x02;
inline constexpr uint8_t kSdOpenCreate = 0x0B;

inline constexpr int kSdLogStopAttempts = 10;
inline constexpr int kSdFileOpenAttempts = 5;
inline constexpr int kSdFolderAttempts = 5;
inline constexpr int kSdRetryPauseMs = 300;

// Local result codes: a transfer the user stopped, and "no result code came".
inline constexpr uint8_t kSdResultCanceled = 99;
inline constexpr uint8_t kSdResultNone = 100;

// The text of a card's result code; empty for codes it does not know.
std::string FatResultText(int result);

}  // namespace skarnel
