#pragma once
// The CLIPBOARD selection as text: owning it when the program copies, answering other
// programs' requests, and asking the owner for its text when the program pastes.

#include "platform/display/x11/X11Connection.h"

#include <optional>
#include <string>

namespace platform::x11 {

class Clipboard {
public:
    explicit Clipboard(Connection& connection) : m_connection(connection) {}

    void SetText(std::u16string text);
    // The selection gets no owner: no program offers a text any more.
    void Clear();
    // The selection's text, asked of its owner; waits a bounded time for the answer.
    std::optional<std::u16string> Text();

    // Events of the utility window.
    void OnSelectionRequest(const XSelectionRequestEvent& request);
    void OnSelectionClear() { m_owned.reset(); }

private:
    std::optional<std::string> Fetch(Atom target);
    bool WaitForNotify(XEvent& notify);

    Connection& m_connection;
    std::optional<std::string> m_owned; // UTF-8, while we own the selection
};

} // namespace platform::x11
