#include "fuzz/sessions/sessions.h"
#include "fuzz/support/fuzz_link.h"

namespace skarnel::fuzz {

void RunScripted(const Session& session, const uint8_t* script, size_t size)
{
    FuzzLink controller;
    AnswerFromScript(controller.engine(), ParseReplyScript(script, size), session.commands);
    session.run(controller.link());
}

}  // namespace skarnel::fuzz
