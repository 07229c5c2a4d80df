#include "fuzz/support/agreeing_reporter.h"

#include "link/reply_codes.h"

namespace skarnel::fuzz {

void AgreeingReporter::ReportFailedExchange(uint32_t value, int replyCode)
{
    for (const ReplyTextTable table : {ReplyTextTable::Standard, ReplyTextTable::Firmware, ReplyTextTable::ModelData})
        ReplyCodeText(table, replyCode, value);
}

}  // namespace skarnel::fuzz
