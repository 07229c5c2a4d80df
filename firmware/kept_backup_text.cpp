#include "firmware/kept_backup_text.h"

#include "base/format.h"

namespace skarnel {
namespace {

constexpr const char* kPlainShellCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_-+=.,/:@%";

// The path as one word a shell takes as it is written: quoted unless it is plain.
std::string ShellWord(const std::string& text)
{
    if (!text.empty() && text.find_first_not_of(kPlainShellCharacters) == std::string::npos)
        return text;
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

std::string KeptBackupText(const std::filesystem::path& backup)
{
    return Format("\r\n\r\nThe system data backup is kept in %s\r\nRestore it with: skarnel-cli model "
                  "restore-converted %s",
                  backup.string().c_str(), ShellWord(backup.string()).c_str());
}

}  // namespace skarnel
