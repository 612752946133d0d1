#pragma once

#include <memory>

// The framework's messages inside a host, run as each platform needs (plugin/linux/ and
// plugin/windows/ hold the two ways). Every call comes on a host thread. What both platforms
// share, the wrapper does itself: each instance holds the framework, so that the first instance
// of the process sets it up and the last one shuts it down (the framework's threads, such as the
// timer thread that an editor starts, then end with the instances instead of racing with the
// library's static objects at the process's exit), and every host request that touches the
// framework goes through a HostUiCall.
//
// - Linux hosts run no loop for the plug-in. While no host request is under way and no editor is
//   open, the plug-in's own thread dispatches the framework's messages. A host request runs with
//   that thread paused, under one lock for the whole process (hosts call from more than one
//   thread: effOpen on their main thread, the editor requests on another), with the calling
//   thread as the framework's message thread; where the framework's X display is not open yet,
//   the request opens it, with the window manager's atoms in place (WindowManagerAtoms). An open
//   editor keeps the plug-in's thread paused for its whole life, and the host's effEditIdle
//   dispatches its messages, window events, timers and repaints.
// - On Windows the host's thread that set the framework up is its message thread, and the host's
//   own message pump dispatches the framework's messages: a host request holds the message
//   manager's lock, and effEditIdle has nothing to do.
class PluginMessageLoop
{
public:
    // What keeps the messages running while an instance lives; each instance holds it for its life.
    static std::shared_ptr<void> keepRunning();

    // Held by each HostUiCall: the calling host thread runs the framework alone.
    static std::shared_ptr<void> hostRequest();

    // Inside a host request: dispatches what the framework has pending, where the host's own loop
    // doesn't.
    static void dispatchPending();

    // Held for as long as an editor exists.
    static std::shared_ptr<void> runEditor();
};
