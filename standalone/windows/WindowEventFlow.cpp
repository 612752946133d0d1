#include "standalone/WindowEventFlow.h"

// Windows hands every window message to the framework's own loop: nothing more is needed.
std::shared_ptr<void> WindowEventFlow::keepFlowing()
{
    return {};
}
