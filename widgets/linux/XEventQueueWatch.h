#pragma once

#include <juce_events/juce_events.h>

// Hands on X events that would otherwise wait unseen. The framework's message loop sleeps in
// poll() on the X connection and reads events only when the socket has data. But whenever the
// message thread waits for a reply from the X server (a pointer query, a focus check), Xlib reads
// every event that arrived meanwhile into its own queue, and the socket is empty again: a click
// that lands at such a moment is handled only when the next X event arrives, which may be never.
// On a slow run the close button's click was lost that way, and the program did not end.
class XEventQueueWatch : private juce::Timer
{
public:
    XEventQueueWatch();
    ~XEventQueueWatch() override;

private:
    void timerCallback() override;

    JUCE_DECLARE_NON_COPYABLE (XEventQueueWatch)
};
