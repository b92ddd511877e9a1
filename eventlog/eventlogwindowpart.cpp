#include "eventlog/eventlogwindowpart.h"

#include "eventlog/eventlogviewer.h"
#include "eventlog/verbosity.h"
#include "session/basesession.h"
#include "common/widgets/windowhost.h"

EventLogWindowPart::EventLogWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host)
    : QObject(host.frame()), session_(session), prompts_(prompts), host_(host)
{
}

void EventLogWindowPart::showLog() { eventlog::showEventLog(session_.link(), prompts_, host_.frame()); }

void EventLogWindowPart::setVerbosity(int level) { eventlog::setVerbosity(session_.link(), level); }
