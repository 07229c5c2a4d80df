#pragma once

namespace skarnel {

class CMainFrame;

// The main frame's live logging, supplied by the live-log subsystem. Without one, the live-log
// commands stay disabled.
class LiveLogControl {
public:
    virtual ~LiveLogControl() = default;
    // The live-log port is open and its worker runs.
    virtual bool IsRunning() const = 0;
    // Prepares the log file, opens the live-log port and starts the worker; false when the
    // port or the worker could not be started (the port is closed again).
    virtual bool Start(CMainFrame& mainFrame) = 0;
    // Sets the stop request; the worker ends itself.
    virtual void RequestStop() = 0;
};

}  // namespace skarnel
