#include "standalone/WindowEventFlow.h"

#include "widgets/linux/XEventQueueWatch.h"

std::shared_ptr<void> WindowEventFlow::keepFlowing()
{
    return std::make_shared<XEventQueueWatch>();
}
