#include "standalone/WindowEventFlow.h"

#include "widgets/linux/WindowManagerAtoms.h"
#include "widgets/linux/XEventQueueWatch.h"

std::shared_ptr<void> WindowEventFlow::keepFlowing()
{
    // Before the first window, whose making would open the framework's X display otherwise.
    WindowManagerAtoms::openDisplayWithThem();
    return std::make_shared<XEventQueueWatch>();
}
