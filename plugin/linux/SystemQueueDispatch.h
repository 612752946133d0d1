#pragma once

// The framework dispatches the messages of its Linux message queue (its own messages, timers and
// the X events of its windows) only from its dispatch loop, MessageManager::runDispatchLoop, which
// a program's main thread runs for ever. A plug-in has no such thread: the host owns the threads
// and calls in, so the plug-in dispatches the queue itself, from its own message thread
// (PluginMessageThread) or from the host's threads (HostDrivenEventLoop). The function that
// dispatches one message is the framework's own (juce_events, defined with its Linux messaging)
// but declared in none of its headers; it is declared here, once, as the framework's plug-in
// support declares it.
namespace juce
{
// Dispatches one pending message; with returnIfNoPendingMessages set, returns false at once when
// none is pending (otherwise waits for one). Never to be called by two threads at once.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}
