#pragma once

#include <memory>

// The framework's messages inside a host, run as each platform needs (plugin/linux/ and
// plugin/windows/ hold the two ways). Every call comes on a host thread.
//
// - Linux hosts run no loop for the plug-in: its own thread dispatches the framework's messages
//   while no host request is under way; around a request that makes or touches user-interface
//   objects the host's thread becomes the message thread, and effEditIdle dispatches what is
//   pending on it.
// - On Windows the host's thread that set the framework up is its message thread, and the host's
//   own message pump dispatches the framework's messages: a request that touches the user
//   interface holds the message manager's lock, and effEditIdle has nothing to do.
class PluginMessageLoop
{
public:
    // Once per process, from the entry: sets the framework up for the rest of the process (its
    // code stays loaded even when the host unloads the library).
    static void initialiseFramework();

    // What keeps the messages running; each instance holds it for its life.
    static std::shared_ptr<void> keepRunning();

    // Held while the entry makes an instance.
    static std::shared_ptr<void> makingInstance();

    // Held around a host request that makes, shows or deletes user-interface objects.
    static std::shared_ptr<void> userInterfaceRequest();

    // The host's idle call for the editor, on its user-interface thread.
    static void idle();
};
