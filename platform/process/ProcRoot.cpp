#include "platform/process/ProcRoot.h"

namespace {
std::string& Root() {
    static std::string root = "/proc";
    return root;
}
} // namespace

const std::string& platform::ProcRoot() {
    return Root();
}

void platform::SetProcRoot(std::string root) {
    Root() = std::move(root);
}

bool platform::ProcRootIsSystem() {
    return Root() == "/proc";
}
