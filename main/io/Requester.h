#ifndef REQUESTER_H
#define REQUESTER_H

// Receives measurement data lines and measurement start/stop notices from the
// command channel.  Requesters stay owned by their creators and must
// unregister from the channel before they are destroyed.
//
// Modules are built apart from the front-end, so the order of the virtual
// operations is part of the binary interface: set_ascii_data is the first
// slot.  The destructor is therefore neither virtual nor public; nobody
// deletes a requester through this interface.
class Requester
{
public:
    // One data line whose first word is identifier.  Runs on the channel's data
    // thread; both texts are valid only during the call.
    virtual int set_ascii_data(const char* identifier, const char* line) = 0;
    // Run on the thread whose command started or stopped the measurement.
    virtual void set_mea_started() = 0;
    virtual void set_mea_stopped() = 0;

protected:
    ~Requester() = default;
};

#endif
