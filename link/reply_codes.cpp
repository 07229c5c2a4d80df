#include "link/reply_codes.h"

#include "base/format.h"

namespace skarnel {
namespace {

std::string StandardText(int code, uint32_t value)
{
    switch (code) {
    case kReplyNak: return "Nack Receive";
    case kReplyError: return Format("Error Return. \n\rAddress : %X", value);
    case kReplyCrcError: return Format("CRC Error Return. \n\rAddress : %X", value);
    case kReplyBusy: return "Controller - Busy";
    case kReplyTimeout: return "Error - Packet Response TimeOut";
    default: return {};
    }
}

std::string FirmwareText(int code, uint32_t value)
{
    switch (code) {
    case kReplyNak: return "Nack Receive";
    case kReplyError: return Format("Error Return. \n\rAddress : %X", value);
    case kReplyCrcError: return "CRC Error Return.";
    case kReplyTimeout: return "Packet Response TimeOut";
    default: return {};
    }
}

std::string ModelDataText(int code, uint32_t value)
{
    if (code == kReplyNak)
        return "Nack Receive";
    return Format("Error Return. \n\rAddress : %X", value);
}

}  // namespace

std::string ReplyCodeText(ReplyTextTable table, int replyCode, uint32_t value)
{
    switch (table) {
    case ReplyTextTable::Standard: return StandardText(replyCode, value);
    case ReplyTextTable::Firmware: return FirmwareText(replyCode, value);
    case ReplyTextTable::ModelData: return ModelDataText(replyCode, value);
    }
    return {};
}

}  // namespace skarnel
