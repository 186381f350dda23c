#include "platform/display/HeadlessDisplay.h"

namespace platform {

bool HeadlessDisplay::WaitForEvents(DWORD timeout) {
    if (timeout != INFINITE) {
        m_now += timeout;
        return true;
    }
    return m_idle && m_idle();
}

void HeadlessDisplay::Inject(InputEvent event) {
    event.time = m_now;
    Deliver(event);
}

} // namespace platform
